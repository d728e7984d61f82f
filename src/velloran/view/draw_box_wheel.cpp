#include "velloran/view/draw_box.h"

// The mouse wheel: scrolling, and zooming about the mouse with Ctrl.

#include <cmath>

#include "velloran/platform/canvas.h"

namespace vl {

namespace {

// One notch (120) scrolls three lines.
constexpr int32_t WheelPerLine = 40;
// One notch zooms by this factor.
constexpr double WheelZoom = 1.25;
// Farther out a drawing is a dot and the mapping's reciprocal loses meaning.
constexpr double MinWheelScale = 1e-4;

} // namespace

bool TCustomDrawBox::MouseWheel(TShiftState Shift, int32_t Delta, int32_t X, int32_t Y) {
    if (!Host() || Delta == 0) return false;
    ActScaleSet = FScaleSetting.get();
    if (Shift.Contains(TShiftStateItem::ssCtrl)) {
        const double s = FScaleSetting->GetScale() * std::pow(WheelZoom, Delta / 120.0);
        if (s < MinWheelScale) return true;
        // The point under the mouse stays under it.
        const TPoint p = DeviceToLog({X, Y});
        SetScale(s);
        TCanvas* c = Canvas();
        if (!c) return true;
        c->SetWindowOrg({0, 0});
        const TPoint d = c->LPtoDP(p);
        ScrollTo({d.X - X, d.Y - Y}, TOrigin::LeftTop);
        return true;
    }
    FWheelRest += Delta;
    const int32_t lines = FWheelRest / WheelPerLine;
    FWheelRest -= lines * WheelPerLine;
    const TScrollBarKind kind =
        Shift.Contains(TShiftStateItem::ssShift) ? TScrollBarKind::sbHorizontal : TScrollBarKind::sbVertical;
    // Away from the user shows what lies above (left).
    const TScrollCode code = lines > 0 ? TScrollCode::scLineUp : TScrollCode::scLineDown;
    for (int32_t i = 0; i < std::abs(lines); ++i) Scroll(kind, code, 0);
    return true;
}

} // namespace vl
