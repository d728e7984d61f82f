#include "velloran/objects/object_tool.h"

#include "velloran/platform/component.h"

namespace vl {

TObjectTool* FindObjectTool(const TComponent* Owner, int32_t ID) {
    if (!Owner) return nullptr;
    if (ID >= 0) return ID < Owner->ComponentCount() ? dynamic_cast<TObjectTool*>(Owner->Components(ID)) : nullptr;
    for (int32_t i = Owner->ComponentCount() - 1; i >= 0; --i) {
        auto* c = dynamic_cast<TObjectTool*>(Owner->Components(i));
        if (c && c->GetID() == ID) return c;
    }
    return nullptr;
}

} // namespace vl
