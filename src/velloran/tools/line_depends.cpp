#include "velloran/tools/line_depends.h"

#include "velloran/document/data_mod.h"
#include "velloran/objects/line_obj.h"
#include "velloran/platform/message_box.h"
#include "velloran/view/draw_box.h"

namespace vl {

using enum TToolStateItem;

namespace {
void ErrorBox(const String& Text) { MessageDlg(Text, TMsgDlgType::mtError, {TMsgDlgBtn::mbOK}); }
} // namespace

void TCustomLineDepends::SetMasterObject(TCustomPoints* Value) {
    if (Value == FPointTool) return;
    if (FPointTool) FPointTool->RemoveFreeNotification(this);
    FPointTool = Value;
    if (FPointTool) FPointTool->FreeNotification(this);
}

void TCustomLineDepends::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomLines::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FPointTool) FPointTool = nullptr;
}

bool TCustomLineDepends::CheckMaster() {
    if (FPointTool || OnObjectFound) return true;
    ErrorBox(u"MasterObject property undefined");
    return false;
}

void TCustomLineDepends::Activate(TObject* Sender) {
    if (!CheckMaster()) return;
    TCustomLines::Activate(Sender);
}

bool TCustomLineDepends::ObjectFound(TvlObject* AObject) {
    if (OnObjectFound) {
        bool Accept = false;
        OnObjectFound(AObject, Accept);
        return Accept;
    }
    if (!AObject || !FPointTool || AObject->Tool() != static_cast<TObjectTool*>(FPointTool)) return false;
    if (DrawForm()) DrawForm()->SetCursor(FPointTool->Cursor());
    return true;
}

void TCustomLineDepends::MouseMove(TShiftState Shift, TPoint CurPos) {
    TCustomLines::MouseMove(Shift, CurPos);
    TrackMouseFnd(CurPos);
}

TvlObject* TCustomLineDepends::SetNewObj(TPoint CurPos) {
    if (!CheckMaster()) return nullptr;
    // The end point: the object under the mouse, or a new point of the
    // master creator (also when the second click lands on the first point).
    const bool working = ToolState.Contains(tsWorking);
    TvlObject* end = GetMouseFnd();
    TPoint at;
    if (end && !(working && end == FP1)) {
        at = end->GetPos();
    } else {
        if (!FPointTool) return nullptr;
        end = FPointTool->SetNewObj(CurPos);
        if (!end) return nullptr;
        at = CurPos;
    }
    if (!working) {
        FP1 = end;
        StartBand(at);
        return nullptr;
    }
    DrawDynLin();
    DynaShapeEnd();
    FPosP2 = at;
    FP2 = end;
    std::unique_ptr<TvlObject> o = CreateObject();
    auto* line = dynamic_cast<TLineObj*>(o.get());
    if (!line) {
        o.reset();
        ErrorBox(u"wrong class definition");
        // Still working: the band comes back so that the next move removes it.
        DrawDynLin();
        return nullptr;
    }
    line->SetMaster(FP1);
    line->SetMaster2(FP2);
    TvlObject* made = RegisterNewObj(std::move(o));
    if (PolyShape()) {
        FPosP1 = FPosP2;
        FP1 = FP2;
        DrawDynLin();
        DynaShapeStart();
    } else {
        StopWorking();
    }
    return made;
}

TvlObject* TCustomLineDepends::LinkNewObj(TPoint CurPos) {
    TvlDataMod* dm = GetDataModule();
    if (!dm) return nullptr;
    EnsureScaleSet();
    TLimRec Params{CurPos.X, CurPos.Y, CurPos.X + 1, CurPos.Y + 1};
    SetMouseFnd(dm->LastObjectWith([&](TvlObject* o) { return MouseFind(o, Params); }));
    TvlObject* made = SetNewObj(CurPos);
    SetMouseFnd(nullptr);
    return made;
}

TvlObject* TCustomLineDepends::LinkNewObjTo(TvlObject* AObject) {
    if (!AObject) return nullptr;
    SetMouseFnd(AObject);
    TvlObject* made = SetNewObj(AObject->GetPos());
    SetMouseFnd(nullptr);
    return made;
}

} // namespace vl
