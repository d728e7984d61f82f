#include "velloran/scale/shadows.h"

namespace vl {

void TShadows::Assign(const TPersistent& Source) {
    const auto* src = dynamic_cast<const TShadows*>(&Source);
    if (!src) AssignError(Source);
    FdX = src->FdX;
    FdY = src->FdY;
    FBrush = src->FBrush;
}

} // namespace vl
