#pragma once
// A scrolling paint control in a 400 x 300 headless window with 16-pixel bars.

#include <gtest/gtest.h>

#include <velloran/platform/headless_window_host.h>
#include <velloran/view/scroll_paint.h>

namespace vltest {

using vl::TScrollBarKind;
using vl::TScrollCode;

inline constexpr TScrollBarKind H = TScrollBarKind::sbHorizontal;
inline constexpr TScrollBarKind V = TScrollBarKind::sbVertical;

// Notes the canvas it paints on.
class TRecordingPaint : public vl::TScrollPaint {
public:
    vl::TCanvas* During = nullptr;
    void Paint() override { During = Canvas(); }
};

class ScrollFixture : public ::testing::Test {
protected:
    ScrollFixture() {
        host.SetScrollBarSize(16);
        host.ClearRecords();
    }
    TRecordingPaint box;
    vl::THeadlessWindowHost host{&box, {400, 300}};
    vl::TvlScrollBar& hb = box.HorzScrollBar();
    vl::TvlScrollBar& vb = box.VertScrollBar();

    // The last ScrollWindow call as (dx, dy, scrolled area).
    vl::THeadlessWindowHost::TScrollRecord LastScroll() const {
        return host.Scrolls().empty() ? vl::THeadlessWindowHost::TScrollRecord{} : host.Scrolls().back();
    }
};

} // namespace vltest
