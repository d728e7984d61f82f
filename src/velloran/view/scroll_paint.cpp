#include "velloran/view/scroll_paint.h"

#include <algorithm>

#include "velloran/platform/canvas.h"

namespace vl {

void TScrollPaint::Paint(TCanvas& DC, const TRect& /*updateRect*/) { PaintWindow(DC); }

void TScrollPaint::PaintWindow(TCanvas& DC) {
    struct TUnbind {
        TCanvas*& c;
        ~TUnbind() { c = nullptr; }
    } unbind{FCanvas};
    FCanvas = &DC;
    Paint();
}

TCanvas* TScrollPaint::GetDeviceContext() { return Host() ? &Host()->Canvas() : nullptr; }

TRect TScrollPaint::ToLog(const TRect* r) {
    if (!r) return {};
    TCanvas* c = Canvas();
    if (!c) return *r;
    const TPoint a = c->DPtoLP(r->TopLeft());
    const TPoint b = c->DPtoLP(r->BottomRight());
    return {a.X, a.Y, b.X, b.Y};
}

TRect TScrollPaint::ToDevice(const TRect& r) {
    TPoint a = r.TopLeft(), b = r.BottomRight();
    if (TCanvas* c = Canvas()) {
        a = c->LPtoDP(a);
        b = c->LPtoDP(b);
    }
    // A mapping that runs right to left or bottom up turns the corners; the
    // area is only excluded from scrolling when it is the right way round.
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

TRect TScrollPaint::GetNonScrollH_Log() { return ToLog(NonScrollH()); }

TRect TScrollPaint::GetNonScrollV_Log() { return ToLog(NonScrollV()); }

void TScrollPaint::SetNonScrollH_Log(const TRect& Rect) { SetNonScrollH(ToDevice(Rect)); }

void TScrollPaint::SetNonScrollV_Log(const TRect& Rect) { SetNonScrollV(ToDevice(Rect)); }

} // namespace vl
