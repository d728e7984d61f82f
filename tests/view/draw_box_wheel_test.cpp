// The mouse wheel: three lines a notch, sideways with Shift, and a zoom with
// Ctrl that keeps the point under the mouse where it is.
#include "draw_box_fixture.h"

#include <cstdlib>

using namespace vltest;

namespace {

using DrawBoxWheel = DrawBoxFixture;

TEST_F(DrawBoxWheel, NotchesScrollLinesShiftSidewaysCtrlZoomsAboutTheMouse) {
    Load();
    Click({3000, 3000});
    Repaint();
    Box->ScrollTo_Log({1000, 1000}, TOrigin::LeftTop);
    const int32_t line = Box->VertScrollBar().Increment();
    EXPECT_TRUE(Host.SendMouseWheel(-120, 50, 50));
    Host.SendMouseWheel(120, 50, 50, {TShiftStateItem::ssShift});
    // A fine wheel's small steps add up to whole lines.
    for (int i = 0; i < 4; ++i) Host.SendMouseWheel(-30, 50, 50);
    EXPECT_EQ(Box->DeviceToLog({0, 0}), (TPoint{1000 - 3 * line, 1000 + 6 * line}));

    const TPoint mouse{300, 200};
    const TPoint at = Box->DeviceToLog(mouse);
    for (int32_t delta : {240, -120}) {
        const double before = Scale().GetScale();
        Host.SendMouseWheel(delta, mouse.X, mouse.Y, {TShiftStateItem::ssCtrl});
        Repaint();
        EXPECT_EQ(Scale().GetScale() > before, delta > 0);
        const TPoint now = Box->DeviceToLog(mouse);
        EXPECT_LE(std::abs(now.X - at.X), 1);
        EXPECT_LE(std::abs(now.Y - at.Y), 1);
    }
}

} // namespace
