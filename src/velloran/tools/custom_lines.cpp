#include "velloran/tools/custom_lines.h"

#include <cstdlib>
#include <vector>

#include "velloran/generators/generator.h"
#include "velloran/objects/line_obj.h"
#include "velloran/platform/canvas.h"
#include "velloran/platform/services.h"
#include "velloran/view/draw_box.h"

namespace vl {

using enum TToolStateItem;

namespace {
std::unique_ptr<TCustomGenerator> LineGenerator() {
    auto g = std::make_unique<TGenerator>();
    g->SetShape(TShapetype::stLine);
    return g;
}
} // namespace

TCustomLines::TCustomLines(TComponent* AOwner) : TCustomPoints(AOwner, LineGenerator()) {}

TCustomLines::TCustomLines(TComponent* AOwner, std::unique_ptr<TCustomGenerator> AGenerator)
    : TCustomPoints(AOwner, std::move(AGenerator)) {}

TCapClass TCustomLines::DefaultClass() { return CapClassOf<TLineObj>; }

// ---- Rubber band ----------------------------------------------------------------

TCanvas* TCustomLines::BandCanvas() const {
    TCustomDrawBox* box = DrawForm();
    // A band drawn inside a paint would be painted over (lines that a
    // program makes while the drawing is painted show no band).
    if (!box || !box->Host() || box->Painting()) return nullptr;
    TCanvas* c = box->Canvas();
    // Objects leave the origin at their own corner.
    if (c) c->SetWindowOrg({0, 0});
    return c;
}

void TCustomLines::DynShape() {
    TCanvas* c = BandCanvas();
    if (!c) return;
    const TPoint a = FPosP1, b = FPosP2;
    if (Generator().Shape() == TShapetype::stLine) {
        c->MoveTo(a.X, a.Y);
        c->LineTo(b.X, b.Y);
        return;
    }
    // Two strokes that never cross a pixel twice: the not-xor pen would
    // wipe it out again.
    c->MoveTo(a.X, a.Y);
    c->LineTo(b.X, a.Y);
    c->LineTo(b.X, b.Y);
    c->MoveTo(b.X - 1, b.Y);
    c->LineTo(a.X, b.Y);
    c->LineTo(a.X, a.Y);
}

void TCustomLines::DrawDynLin() {
    if (TCanvas* c = BandCanvas()) {
        c->SetPen(FDynaLine);
        c->Brush().Style = TBrushStyle::bsClear;
    }
    DynShape();
}

void TCustomLines::MoveDynLin(TShiftState Shift, TPoint CurPos) {
    DrawDynLin();
    FPosP2 = CurPos;
    DynShape();
    if (OnDynaShapeMove) OnDynaShapeMove(this, Shift, FPosP2.X - FPosP1.X, FPosP2.Y - FPosP1.Y);
}

void TCustomLines::DynaShapeStart() {
    if (OnDynaShapeStart) OnDynaShapeStart(this);
}

void TCustomLines::DynaShapeEnd() {
    if (OnDynaShapeEnd) OnDynaShapeEnd(this);
}

void TCustomLines::OrthoCoords(TPoint& P) const {
    if (std::llabs(int64_t{FPosP1.X} - P.X) >= std::llabs(int64_t{FPosP1.Y} - P.Y))
        P.Y = FPosP1.Y;
    else
        P.X = FPosP1.X;
}

void TCustomLines::Constrain(TPoint& P) const {
    TCustomDrawBox* box = DrawForm();
    if (box && box->Grid().Capture())
        box->Grid().MatchCoords(P);
    else if (FOrthoMode)
        OrthoCoords(P);
}

// ---- Mouse ------------------------------------------------------------------------

void TCustomLines::LMouseDown(TShiftState Shift, TPoint CurPos) {
    // The grid snaps later, in the creator's handling, and wins over ortho.
    const bool capture = DrawForm() && DrawForm()->Grid().Capture();
    if (ToolState.Contains(tsWorking) && !capture && FOrthoMode) OrthoCoords(CurPos);
    TCustomPoints::LMouseDown(Shift, CurPos);
}

// No hover tracking here: a plain line hangs on nothing.
void TCustomLines::MouseMove(TShiftState Shift, TPoint CurPos) {
    if (!ToolState.Contains(tsWorking)) return;
    Constrain(CurPos);
    MoveDynLin(Shift, CurPos);
}

void TCustomLines::RMouseDown(TShiftState, TPoint) {
    if (ToolState.Contains(tsWorking))
        DrawDynLin();
    else
        SetDefaultTool();
    BreakPolyline();
}

void TCustomLines::Terminate() {
    ToolState.Exclude(tsWorking).Exclude(tsCanScroll);
    TCustomPoints::Terminate();
}

void TCustomLines::BreakPolyline() {
    ToolState.Exclude(tsWorking).Exclude(tsCanScroll);
    SetMouseFnd(nullptr);
    ReleaseClipping();
}

void TCustomLines::Scroll(const TScrollProc& ScrollProc, TPoint CurPos) {
    Constrain(CurPos);
    DrawDynLin();
    if (ScrollProc) ScrollProc();
    // The scrolled-in area is painted before the band comes back.
    Services().ProcessMessages();
    if (!ToolState.Contains(tsCanScroll)) return;
    FPosP2 = CurPos;
    DrawDynLin();
    if (OnDynaShapeMove) OnDynaShapeMove(this, {}, FPosP2.X - FPosP1.X, FPosP2.Y - FPosP1.Y);
}

// ---- Making lines -----------------------------------------------------------------

void TCustomLines::StartBand(TPoint P) {
    FPosP1 = P;
    FPosP2 = P;
    DrawDynLin();
    DynaShapeStart();
    StartWorking(tsWorking);
}

void TCustomLines::ContinueOrStop() {
    if (FPolyShape) {
        FPosP1 = FPosP2;
        DrawDynLin();
        DynaShapeStart();
    } else {
        StopWorking();
    }
}

TvlObject* TCustomLines::SetNewObj(TPoint CurPos) {
    if (!ToolState.Contains(tsWorking)) {
        StartBand(CurPos);
        return nullptr;
    }
    DrawDynLin();
    DynaShapeEnd();
    FPosP2 = CurPos;
    std::unique_ptr<TvlObject> o = CreateObject();
    TvlObject* made = nullptr;
    if (o) {
        o->SetPos(FPosP1);
        if (auto* line = dynamic_cast<TLineObj*>(o.get())) line->SetPos2(FPosP2);
        made = RegisterNewObj(std::move(o));
    }
    ContinueOrStop();
    return made;
}

TvlObject* TCustomLines::SetPolyObj(const TPoint* Points, int32_t NPnts) {
    if (!Points || NPnts < 2) return nullptr;
    const int32_t n = std::min(NPnts, int32_t{1025});
    const bool poly = FPolyShape;
    FPolyShape = true;
    TvlObject* last = nullptr;
    try {
        for (int32_t i = 0; i < n; ++i) last = SetNewObj(Points[i]);
    } catch (...) {
        RMouseDown({}, Points[0]);
        FPolyShape = poly;
        throw;
    }
    RMouseDown({}, Points[0]);
    FPolyShape = poly;
    return last;
}

TvlObject* TCustomLines::SetPolyObjA(std::span<const TPoint> Points) {
    return SetPolyObj(Points.data(), static_cast<int32_t>(std::min<size_t>(Points.size(), 1025)));
}

} // namespace vl
