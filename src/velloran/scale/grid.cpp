#include "velloran/scale/grid.h"

#include <algorithm>

#include "velloran/foundations/round.h"
#include "velloran/platform/canvas.h"
#include "velloran/scale/scale_setting.h"

namespace vl {

namespace {

int32_t Snap(int32_t v, int32_t inc) {
    const int64_t r = static_cast<int64_t>(Round(static_cast<double>(v) / inc)) * inc;
    return static_cast<int32_t>(std::clamp<int64_t>(r, INT32_MIN, INT32_MAX));
}

int32_t Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// First multiple of step at or after lo, counted from the origin; the
// division truncates towards zero, as the lattice has always been laid out.
int64_t FirstLine(int64_t lo, int64_t one, int64_t step) {
    int64_t v = ((lo - one) / step) * step;
    if (v < lo) v += step;
    return v;
}

} // namespace

void TvlGrid::Assign(const TPersistent& Source) {
    const auto* src = dynamic_cast<const TvlGrid*>(&Source);
    if (!src) AssignError(Source);
    FShowEvery = src->FShowEvery;
    FVisible = src->FVisible;
    FCapture = src->FCapture;
    FPen = src->FPen;
    FIncHorz = src->FIncHorz;
    FIncVert = src->FIncVert;
    Changed();
}

void TvlGrid::Changed() {
    if (FInvalidateView) FInvalidateView();
}

void TvlGrid::SetVisible(bool value) {
    if (value == FVisible) return;
    FVisible = value;
    if (FVisible && FShowEvery < 1) FShowEvery = 1;
    Changed();
}

void TvlGrid::SetPen(const TPen& pen) {
    FPen = pen;
    Changed();
}

void TvlGrid::SetIncHorz(int32_t value) {
    if (value == FIncHorz) return;
    FIncHorz = value;
    Changed();
}

void TvlGrid::SetIncVert(int32_t value) {
    if (value == FIncVert) return;
    FIncVert = value;
    Changed();
}

void TvlGrid::SetShowEvery(int32_t value) {
    if (value == FShowEvery) return;
    FShowEvery = value;
    FVisible = FShowEvery > 0;
    Changed();
}

void TvlGrid::MatchCoords(TPoint& P) const {
    if (FIncHorz > 0) P.X = Snap(P.X, FIncHorz);
    if (FIncVert > 0) P.Y = Snap(P.Y, FIncVert);
}

void TvlGrid::Draw(const TLimRec& LimRec) const {
    if (!ActScaleSet || !ActScaleSet->Canvas()) return;
    Draw(*ActScaleSet->Canvas(), LimRec, ActScaleSet->PixToLog(1));
}

void TvlGrid::Draw(TCanvas& canvas, const TLimRec& LimRec, int32_t One) const {
    canvas.SetPen(FPen);
    // 64-bit throughout: paint areas reach the ends of the 32-bit range.
    const int64_t one = One;
    const int64_t stepX = static_cast<int64_t>(FIncHorz) * FShowEvery;
    if (stepX > 0) {
        const int32_t y1 = Clamp32(LimRec.Ymin - one), y2 = Clamp32(LimRec.Ymax + one);
        for (int64_t x = FirstLine(LimRec.Xmin, one, stepX); x < LimRec.Xmax + one; x += stepX) {
            canvas.MoveTo(Clamp32(x), y1);
            canvas.LineTo(Clamp32(x), y2);
        }
    }
    const int64_t stepY = static_cast<int64_t>(FIncVert) * FShowEvery;
    if (stepY > 0) {
        const int32_t x1 = Clamp32(LimRec.Xmin - one), x2 = Clamp32(LimRec.Xmax + one);
        for (int64_t y = FirstLine(LimRec.Ymin, one, stepY); y < LimRec.Ymax + one; y += stepY) {
            canvas.MoveTo(x1, Clamp32(y));
            canvas.LineTo(x2, Clamp32(y));
        }
    }
}

} // namespace vl
