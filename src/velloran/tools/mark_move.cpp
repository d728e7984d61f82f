#include "velloran/tools/mark_move.h"

#include <algorithm>
#include <cstdint>

#include "velloran/generators/custom_generator.h"
#include "velloran/objects/object.h"
#include "velloran/objects/point_obj.h"
#include "velloran/platform/canvas.h"
#include "velloran/platform/services.h"
#include "velloran/view/draw_box.h"

namespace vl {

using enum TIndividualFlag;

namespace {

bool ShiftHeld(TShiftState Shift) { return Shift.Contains(TShiftStateItem::ssShift); }

TLimRec PixelAt(TPoint P) { return {P.X, P.Y, P.X + 1, P.Y + 1}; }

} // namespace

TMarkMove::TMarkMove(TComponent* AOwner) : TSaveTool(AOwner) { FOptions = {TToolOption::toDefaultTool}; }

// ---- Properties -----------------------------------------------------------------

void TMarkMove::SetHidePicture(bool Value) {
    if (Designing()) {
        const TCustomDrawBox* box = DrawForm();
        // Outlines alone survive edge scrolling, so a scrolling view forces them.
        if (!box || (box->AutoScroll() && !FOptions.Contains(TToolOption::toDontScroll))) Value = true;
    }
    FHidePicture = Value;
}

int32_t TMarkMove::FindLines() { return Lin_prec; }

void TMarkMove::SetFindLines(int32_t Value) {
    // The tolerance is stored in 16 bits.
    if (Value > 0) Lin_prec = std::min<int32_t>(Value, INT16_MAX);
}

TColor TMarkMove::MarkColor() const { return DrawForm() ? DrawForm()->clMarkPen() : FMarkColor; }

void TMarkMove::SetMarkColor(TColor Value) {
    FMarkColor = Value;
    if (DrawForm()) DrawForm()->SetclMarkPen(Value);
}

// ---- Life -----------------------------------------------------------------------

void TMarkMove::Loaded() {
    TSaveTool::Loaded();
    if (DrawForm()) DrawForm()->SetclMarkPen(FMarkColor);
}

void TMarkMove::Init() {
    TSaveTool::Init();
    if (DrawForm() && DrawForm()->AutoScroll() && !FOptions.Contains(TToolOption::toDontScroll))
        FHidePicture = true;
}

void TMarkMove::Terminate() {
    // Objects hidden for a running move must come back before the marks go.
    if (Moving()) EndMove({}, MovOrg);
    TSaveTool::Terminate();
    UnSelectAll();
}

void TMarkMove::UnSelectAll() {
    if (TvlDataMod* dm = GetDataModule()) dm->UnSelect(nullptr);
}

// ---- Finding and marking ----------------------------------------------------------

bool TMarkMove::MouseFind(TvlObject* FndObject, const TLimRec& Params) {
    if (FndObject->Generator().Options().Contains(TGeneratorOption::goDontFind)) return false;
    return FndObject->Found(Params) && ObjectFound(FndObject);
}

void TMarkMove::FindUnderMouse(TShiftState Shift, TPoint CurPos) {
    TCustomDrawBox* box = DrawForm();
    TvlDataMod* dm = GetDataModule();
    if (!box) return;
    TvlObject* old = GetMouseFnd();
    const TLimRec Params = PixelAt(CurPos);
    const auto cond = [this, &Params](TvlObject* o) { return MouseFind(o, Params); };
    TvlObject* found = nullptr;
    // Objects painted later lie on top; with Ctrl the search starts at the
    // bottom, so objects underneath can be reached.
    if (!Shift.Contains(TShiftStateItem::ssCtrl)) {
        if (dm) found = dm->LastObjectWith(cond);
        if (!found) found = box->FindLocalObject(cond);
    } else {
        found = box->FindLocalObject(cond);
        if (!found && dm) found = dm->FirstObjectWith(cond);
    }
    SetMouseFnd(found);
    if (old && old != found) ObjectRelease(old);
}

void TMarkMove::Mark(TvlObject* FndPnt) {
    TvlDataMod* dm = GetDataModule();
    if (!FndPnt || !dm) return;
    FndPnt->SelectComplete(TSelectMode::smSelect);
    if (dm->MarkCase().Count() == 1) {
        FndPnt->SetSizing(true);
        FndPnt->Mark();
    } else {
        dm->Mark(nullptr);
    }
}

TWait TMarkMove::Waiting() {
    if (WaitTick == 0) return TWait::wtZero;
    if (FDelayMove != 0 && Services().GetTickCount() - WaitTick <= static_cast<uint32_t>(FDelayMove))
        return TWait::wtWait;
    WaitTick = 0;
    return TWait::wtStart;
}

// ---- Mouse ------------------------------------------------------------------------

void TMarkMove::MouseMove(TShiftState Shift, TPoint CurPos) {
    if (Moving())
        MoveObj(Shift, CurPos);
    else
        FindUnderMouse(Shift, CurPos);
    if (GetMouseFnd() && Waiting() == TWait::wtStart) StartMove(Shift, CurPos);
}

void TMarkMove::LMouseDown(TShiftState Shift, TPoint CurPos) {
    if (Moving()) EndMove(Shift, CurPos);
    TvlObject* o = GetMouseFnd();
    if (o && o->Found(PixelAt(CurPos))) {
        ObjectClick(o);
        MovOrg = CurPos;
        if (o->State.Contains(isMarked)) {
            StartMove(Shift, CurPos);
            return;
        }
        if (!ShiftHeld(Shift)) UnSelectAll();
        Mark(o);
        // 0 stands for "nothing pending", which a clock reading 0 must not say.
        const uint32_t now = Services().GetTickCount();
        WaitTick = now != 0 ? now : 1;
    } else {
        WaitTick = 0;
        if (!ShiftHeld(Shift)) UnSelectAll();
    }
}

void TMarkMove::LMouseUp(TShiftState Shift, TPoint CurPos) {
    WaitTick = 0;
    if (Moving()) EndMove(Shift, CurPos);
}

void TMarkMove::LeftDblClk(TShiftState, TPoint) {
    UnSelectAll();
    if (TvlObject* o = GetMouseFnd()) ObjectDblClick(o);
}

void TMarkMove::RMouseDown(TShiftState Shift, TPoint CurPos) {
    if (Moving()) {
        EndMove(Shift, CurPos);
        return;
    }
    if (!ObjectClickR(GetMouseFnd())) SetDefaultTool();
    UnSelectAll();
}

// ---- Moving -----------------------------------------------------------------------

void TMarkMove::ShadowSettings() {
    TCustomDrawBox* box = DrawForm();
    TCanvas* c = box ? box->Canvas() : nullptr;
    if (!c) return;
    c->SetPen({clShadowPen, 1, TPenStyle::psSolid, TPenMode::pmNotXor});
    c->Brush().Style = TBrushStyle::bsClear;
    c->Font().Color = GetclNeutral();
}

void TMarkMove::DrawShadows() {
    TvlDataMod* dm = GetDataModule();
    if (!dm || FShadowsShown) return;
    const TCapList& mc = dm->MarkCase();
    for (int32_t i = 0; i < mc.Count(); ++i)
        if (TvlObject* o = mc.Get(i)) o->DrawShadow();
    FShadowsShown = true;
}

void TMarkMove::HideShadows() {
    TvlDataMod* dm = GetDataModule();
    if (!dm || !FShadowsShown) return;
    const TCapList& mc = dm->MarkCase();
    for (int32_t i = 0; i < mc.Count(); ++i)
        if (TvlObject* o = mc.Get(i)) o->HideShadow();
    FShadowsShown = false;
}

void TMarkMove::MoveAll(TPoint Delta) {
    const TCapList& mc = GetDataModule()->MarkCase();
    for (int32_t i = 0; i < mc.Count(); ++i)
        if (TvlObject* o = mc.Get(i)) o->MovePos(Delta);
}

TPoint TMarkMove::StepTo(TPoint CurPos) {
    TPoint Delta{CurPos.X - MovOrg.X, CurPos.Y - MovOrg.Y};
    TCustomDrawBox* box = DrawForm();
    if (box && box->Grid().Capture()) {
        // The remainder stays in MovOrg and counts towards the next step.
        box->Grid().MatchCoords(Delta);
        MovOrg = {MovOrg.X + Delta.X, MovOrg.Y + Delta.Y};
    } else {
        MovOrg = CurPos;
    }
    return Delta;
}

void TMarkMove::StartMove(TShiftState Shift, TPoint CurPos) {
    TvlDataMod* dm = GetDataModule();
    if (!dm) return;
    dm->CheckLinks(TInvolve::invMove);
    ObjectStartMove(Shift, CurPos);
    TStream* backup = BeginMoveBackup();
    const TCapList& mc = dm->MarkCase();
    for (int32_t i = 0; i < mc.Count(); ++i) {
        TvlObject* o = mc.Get(i);
        if (!o) continue;
        if (backup) o->Persist(backup, TPstMode::pstSave);
        o->StartMove();
        if (FHidePicture) o->SetVisible(false);
    }
    if (FHidePicture) {
        dm->InvalidateRestoreRect();
        if (DrawForm()->Host()) DrawForm()->Host()->Update();
    }
    ShadowSettings();
    FShadowsShown = false;
    DrawShadows();
    StartWorking(TToolStateItem::tsMoving);
}

void TMarkMove::MoveObj(TShiftState Shift, TPoint CurPos) {
    const TPoint Delta = StepTo(CurPos);
    TvlDataMod* dm = GetDataModule();
    if (!dm || dm->MarkCase().Count() == 0) return;
    ObjectMove(Shift, CurPos);
    ShadowSettings();
    HideShadows();
    MoveAll(Delta);
    DrawShadows();
}

void TMarkMove::EndMove(TShiftState Shift, TPoint CurPos) {
    ToolState.Exclude(TToolStateItem::tsMoving).Exclude(TToolStateItem::tsCanScroll);
    ObjectEndMove(Shift, CurPos);
    if (TvlDataMod* dm = GetDataModule()) {
        TCapList& mc = dm->MarkCase();
        ShadowSettings();
        const bool shown = FShadowsShown;
        FShadowsShown = false;
        for (int32_t i = mc.Count() - 1; i >= 0; --i) {
            TvlObject* o = mc.Get(i);
            if (!o) continue;
            if (shown) o->HideShadow();
            o->SetVisible(true);
            o->EndMove();
            // A dependant only moved along; it leaves the mark case again.
            if (!o->State.Contains(isMarked)) {
                o->State.Exclude(isSelected);
                mc.Delete(i);
            }
        }
        EndMoveBackup();
        dm->InvalidateRestoreRect();
    }
    ReleaseClipping();
    if (ActScaleSet && ActScaleSet->Canvas()) ActScaleSet->Canvas()->SetWindowOrg({0, 0});
}

void TMarkMove::Scroll(const TScrollProc& ScrollProc, TPoint CurPos) {
    const TPoint Delta = StepTo(CurPos);
    TvlDataMod* dm = GetDataModule();
    if (!dm || dm->MarkCase().Count() == 0) return;
    // The scroll path has no modifier keys of its own to report.
    ObjectMove({}, CurPos);
    ShadowSettings();
    HideShadows();
    ScrollProc();
    // Paints the uncovered strip; a button release here ends the move.
    Services().ProcessMessages();
    if (!ToolState.Contains(TToolStateItem::tsCanScroll)) return;
    MoveAll(Delta);
    ShadowSettings();
    DrawShadows();
}

TStream* TMarkMove::BeginMoveBackup() {
    TvlDataMod* dm = GetDataModule();
    if (!dm || !dm->UndoFunction().Contains(TUndoOptions::unMove)) return nullptr;
    dm->InitBackup(TBackupMode::bkMove);
    return dm->BackupMem();
}

void TMarkMove::EndMoveBackup() {
    TvlDataMod* dm = GetDataModule();
    if (dm && dm->BackupMem()) dm->CloseBackup();
}

// ---- Events -----------------------------------------------------------------------

void TMarkMove::ObjectClick(TvlObject* AObject) {
    if (OnObjectClick) OnObjectClick(AObject);
}

bool TMarkMove::ObjectClickR(TvlObject* AObject) {
    if (!OnObjectClickR) return false;
    OnObjectClickR(AObject);
    return true;
}

void TMarkMove::ObjectDblClick(TvlObject* AObject) {
    if (OnObjectDblClick) OnObjectDblClick(AObject);
}

void TMarkMove::ObjectStartMove(TShiftState Shift, TPoint CurPos) {
    if (OnObjectStartMove) OnObjectStartMove(this, Shift, CurPos.X, CurPos.Y);
}

void TMarkMove::ObjectMove(TShiftState Shift, TPoint CurPos) {
    if (OnObjectMove) OnObjectMove(this, Shift, CurPos.X, CurPos.Y);
}

void TMarkMove::ObjectEndMove(TShiftState Shift, TPoint CurPos) {
    if (OnObjectEndMove) OnObjectEndMove(this, Shift, CurPos.X, CurPos.Y);
}

} // namespace vl
