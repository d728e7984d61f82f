// TvlObject: drawing, marks, moving, dependants and messages.

#include <algorithm>

#include "velloran/foundations/errors.h"
#include "velloran/foundations/saturate.h"
#include "velloran/generators/custom_generator.h"
#include "velloran/objects/object.h"
#include "velloran/objects/object_document.h"
#include "velloran/objects/object_tool.h"
#include "velloran/objects/object_view.h"
#include "velloran/platform/canvas.h"
#include "velloran/scale/scale_setting.h"
#include "velloran/scale/shadows.h"

namespace vl {

using enum TIndividualFlag;

// ---- Drawing ------------------------------------------------------------------

void TvlObject::Shape() {}

void TvlObject::Draw() {
    if (Generator().Options().Contains(TGeneratorOption::goShadows)) DrawShade();
    if (GetPicture().Graphic()) RaiseError("Cannot draw picture");
    FTool->ObjectColors(this);
    if (FTool->OnObjectDraw)
        FTool->OnObjectDraw(this);
    else
        Shape();
}

void TvlObject::DrawShade() {
    const TObjectView* box = DrawBox();
    if (!box) return;
    TCanvas& c = Canvas();
    const TPoint saved = c.Mapping().WindowOrg;
    const TShadows& sh = box->Shadows();
    c.SetWindowOrg({NegSat(AddSat(GetMinX(), sh.dX())), NegSat(AddSat(GetMinY(), sh.dY()))});
    if (Generator().Brush().Style != TBrushStyle::bsSolid) {
        FTool->ObjectColors(this);
        c.Brush().Color = sh.Brush().Color;
    } else {
        c.SetBrush(sh.Brush());
    }
    c.Pen().Color = sh.Brush().Color;
    Shape();
    c.SetWindowOrg(saved);
}

void TvlObject::Print() {
    if (!GetVisible()) return;
    SetOrigin();
    Draw();
}

void TvlObject::Show() {
    Canvas().Pen().Mode = TPenMode::pmCopy;
    SetOrigin();
    Draw();
    if (State.Contains(isMarked)) Drawmark();
    SetVisible(true);
}

void TvlObject::Hide() {
    SetVisible(false);
    if (TObjectView* box = DrawBox()) box->UpdateRect(GetMaxLimits());
    Select(TSelectMode::smUnselect);
}

void TvlObject::ShapeMark() { Shape(); }

void TvlObject::Drawmark() {
    TCanvas& c = Canvas();
    const TColor mark = DrawBox() ? DrawBox()->clMarkPen() : TColor{255};
    c.SetPen({mark, Generator().Pen().Width, TPenStyle::psSolid, TPenMode::pmCopy});
    c.Brush().Style = TBrushStyle::bsClear;
    ShapeMark();
    if (GetSizing()) {
        c.SetBrush({mark, TBrushStyle::bsSolid});
        SizingHandles({ActScaleSet->GetVPHomeX(), ActScaleSet->GetVPHomeY()}, TSizeMode::smShape);
    }
}

void TvlObject::DrawShadow() {
    SetOrigin();
    Shape();
}

void TvlObject::HideShadow() { DrawShadow(); }

void TvlObject::Update() {
    if (TObjectView* box = DrawBox()) box->UpdateRect(GetMaxLimits());
}

void TvlObject::Invalidate() {
    if (ActScaleSet->State.Contains(TScaleFlag::scChanged)) AdjustToScale();
    TObjectDocument* dm = GetDataModule();
    if (!dm) return;
    const TLimRec l = GetMaxLimits();
    TLimRec& r = dm->RestoreRect();
    r.Xmin = std::min(r.Xmin, l.Xmin);
    r.Ymin = std::min(r.Ymin, l.Ymin);
    r.Xmax = std::max(r.Xmax, l.Xmax);
    r.Ymax = std::max(r.Ymax, l.Ymax);
}

void TvlObject::AdjustToScale() {}
void TvlObject::AdjustToFontHeight() {}
bool TvlObject::SizingHandles(TPoint, TSizeMode) { return false; }

// ---- Selection and marks ----------------------------------------------------

void TvlObject::SelectComplete(TSelectMode Mode) { Select(Mode); }

void TvlObject::Select(TSelectMode Mode) {
    TObjectDocument* dm = GetDataModule();
    if (!dm) return;
    if (Mode == TSelectMode::smSelect)
        dm->Select(this);
    else
        dm->UnSelect(this);
}

void TvlObject::Mark() {
    if (State.Contains(isSelected)) {
        SetOrigin();
        State.Include(isMarked);
        Drawmark();
    } else {
        SelectComplete(TSelectMode::smSelect);
        if (TObjectDocument* dm = GetDataModule()) dm->Mark(nullptr);
    }
}

// ---- Moving -------------------------------------------------------------------

void TvlObject::StartMove() {
    ActScaleSet->State.Include(TScaleFlag::scMovingObjects);
    if (TObjectDocument* dm = GetDataModule()) dm->CheckLimits(this, false);
    Invalidate();
}

void TvlObject::MovePos(TPoint DeltaPos) {
    if (State.Contains(isCantMove)) return;
    const TGeneratorOptions o = Generator().Options();
    const bool h = !o.Contains(TGeneratorOption::goNoHorzMove);
    const bool v = !o.Contains(TGeneratorOption::goNoVertMove);
    if (IsSlave()) {
        if (h) Pos.RelX = static_cast<int16_t>(AddSat(Pos.RelX, DeltaPos.X));
        if (v) Pos.RelY = static_cast<int16_t>(AddSat(Pos.RelY, DeltaPos.Y));
    } else {
        // Stops at the limits: a far-off object never jumps to the other side.
        if (h) Pos.x = AddSat(Pos.x, DeltaPos.X);
        if (v) Pos.y = AddSat(Pos.y, DeltaPos.Y);
    }
}

void TvlObject::EndMove() {
    State.Exclude(isCantMove);
    Invalidate();
    ActScaleSet->State.Exclude(TScaleFlag::scMovingObjects);
    if (TObjectDocument* dm = GetDataModule()) dm->CheckLimits(this, true);
}

void TvlObject::Rotate(TPoint, double) {}

// ---- Dependants ---------------------------------------------------------------
// Only isSlave counts here; line ends attached through isP1Slave/isP2Slave are
// handled by the line object.

bool TvlObject::MasterSelected() const { return Pos.ConObj && Pos.ConObj->GetSelected(); }

int32_t TvlObject::Involved(TInvolve Code) {
    if (!IsSlave()) return 0;
    switch (Code) {
    case TInvolve::invMove:
        if (GetVisible() && MasterSelected()) {
            Select(TSelectMode::smSelect);
            State.Include(isCantMove);
        }
        break;
    case TInvolve::invDelete:
        if (MasterSelected()) Select(TSelectMode::smSelect);
        break;
    case TInvolve::invCopy:
        if (!GetSelected() && MasterSelected())
            Select(TSelectMode::smSelect);
        else if (GetSelected() && !MasterSelected())
            Select(TSelectMode::smUnselect);
        break;
    }
    return 0;
}

void TvlObject::CanDelete() {
    if (IsSlave() && !MasterSelected()) {
        Select(TSelectMode::smUnselect);
        return;
    }
    State.Include(isDeleted);
    Invalidate();
}

void TvlObject::ObjectMessage(TObjMessage&) {}

} // namespace vl
