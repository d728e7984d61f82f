#include "velloran/platform/picture.h"

namespace vl {

TPicture& TPicture::operator=(const TPicture& other) {
    if (this != &other) SetGraphic(other.FGraphic.get());
    return *this;
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> g) {
    FGraphic = std::move(g);
    Changed();
}

void TPicture::Assign(const TPersistent& Source) {
    if (auto* p = dynamic_cast<const TPicture*>(&Source)) {
        *this = *p;
    } else if (auto* g = dynamic_cast<const TGraphic*>(&Source)) {
        SetGraphic(g);
    } else {
        TPersistent::Assign(Source);
    }
}

} // namespace vl
