#include "velloran/view/view_tool.h"

#include "velloran/view/draw_box.h"

namespace vl {

// Only draw boxes link tools, so the cast fails only without a view.
TCustomDrawBox* TViewTool::DrawForm() const {
    if (FBoxFor != DrawFormChanges()) {
        FBox = dynamic_cast<TCustomDrawBox*>(TEnvironment::DrawForm());
        FBoxFor = DrawFormChanges();
    }
    return FBox;
}

} // namespace vl
