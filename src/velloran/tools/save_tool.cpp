#include "velloran/tools/save_tool.h"

#include "velloran/view/draw_box.h"

namespace vl {

bool TSaveTool::ObjectFound(TvlObject* AObject) {
    bool Accept = true;
    if (OnObjectFound) OnObjectFound(AObject, Accept);
    return Accept;
}

void TSaveTool::ObjectRelease(TvlObject* AObject) {
    if (OnObjectRelease)
        OnObjectRelease(AObject);
    else if (DrawForm())
        DrawForm()->SetCursor(FCursor);
}

TvlDataMod* TSaveTool::GetDataModule() const { return DrawForm() ? DrawForm()->DataModule() : nullptr; }

TLimRec* TSaveTool::GetRestoreRect() const {
    TvlDataMod* dm = GetDataModule();
    return dm ? &dm->RestoreRect() : nullptr;
}

TvlObject* TSaveTool::GetMouseFnd() const { return DrawForm() ? DrawForm()->MouseFnd() : nullptr; }

void TSaveTool::SetMouseFnd(TvlObject* Value) {
    if (DrawForm()) DrawForm()->SetMouseFnd(Value);
}

} // namespace vl
