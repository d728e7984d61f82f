#include "velloran/tools/find_creator.h"

#include "velloran/platform/component.h"
#include "velloran/tools/creator.h"

namespace vl {

TvlCreator* FindCreator(const TComponent* Owner, int32_t ID) {
    if (!Owner) return nullptr;
    if (ID >= 0) return ID < Owner->ComponentCount() ? dynamic_cast<TvlCreator*>(Owner->Components(ID)) : nullptr;
    for (int32_t i = Owner->ComponentCount() - 1; i >= 0; --i) {
        auto* c = dynamic_cast<TvlCreator*>(Owner->Components(i));
        if (c && c->GetID() == ID) return c;
    }
    return nullptr;
}

} // namespace vl
