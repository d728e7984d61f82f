#include "velloran/view/object_operations.h"

#include "velloran/document/data_mod.h"
#include "velloran/objects/cap_list.h"
#include "velloran/objects/object.h"
#include "velloran/view/draw_box.h"

namespace vl {

namespace {

// The object's draw box with a document, its mapping made current; nullptr
// when the object is not shown anywhere.
TCustomDrawBox* BoxOf(TvlObject* AnyObj) {
    if (!AnyObj) return nullptr;
    auto* box = dynamic_cast<TCustomDrawBox*>(AnyObj->DrawBox());
    if (!box || !box->DataModule()) return nullptr;
    ActScaleSet = &box->ScaleSetting();
    return box;
}

void SetShown(TvlObject* AnyObj, bool Visible) {
    TCustomDrawBox* box = BoxOf(AnyObj);
    if (!box) return;
    AnyObj->SetVisible(Visible);
    AnyObj->Invalidate();
    box->DataModule()->InvalidateRestoreRect();
}

TStream* BeginMoveBackup(TvlDataMod& Doc) {
    if (!Doc.UndoFunction().Contains(TUndoOptions::unMove)) return nullptr;
    Doc.InitBackup(TBackupMode::bkMove);
    return Doc.BackupMem();
}

void EndMoveBackup(TvlDataMod& Doc) {
    if (Doc.BackupMem()) Doc.CloseBackup();
}

} // namespace

void MoveObject(TvlObject* AnyObj, TPoint DeltaPos) {
    try {
        TCustomDrawBox* box = BoxOf(AnyObj);
        if (!box) return;
        TvlDataMod& dm = *box->DataModule();
        dm.UnSelect(nullptr);
        AnyObj->SelectComplete(TSelectMode::smSelect);
        dm.CheckLinks(TInvolve::invMove);
        TStream* backup = BeginMoveBackup(dm);
        if (box->Grid().Capture()) box->Grid().MatchCoords(DeltaPos);
        const TCapList& mc = dm.MarkCase();
        for (int32_t i = 0; i < mc.Count(); ++i) {
            TvlObject* o = mc.Get(i);
            if (!o) continue;
            if (backup) o->Persist(backup, TPstMode::pstSave);
            o->StartMove();
            o->MovePos(DeltaPos);
            o->EndMove();
        }
        EndMoveBackup(dm);
        dm.UnSelect(nullptr);
        dm.InvalidateRestoreRect();
    } catch (...) {
        // An operation from code must not take the application down with it.
    }
}

void MoveObjectTo(TvlObject* AnyObj, TPoint NewPos) {
    if (!AnyObj) return;
    MoveObject(AnyObj, {NewPos.X - AnyObj->GetX(), NewPos.Y - AnyObj->GetY()});
}

void MarkObject(TvlObject* AnyObj) {
    TCustomDrawBox* box = BoxOf(AnyObj);
    if (!box) return;
    AnyObj->SelectComplete(TSelectMode::smSelect);
    box->DataModule()->Mark(nullptr);
}

void UnMarkObject(TvlObject* AnyObj) {
    if (BoxOf(AnyObj)) AnyObj->SelectComplete(TSelectMode::smUnselect);
}

void HideObject(TvlObject* AnyObj) { SetShown(AnyObj, false); }

void ShowObject(TvlObject* AnyObj) { SetShown(AnyObj, true); }

} // namespace vl
