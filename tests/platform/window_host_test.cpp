#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "velloran/platform/headless_window_host.h"
#include "velloran/platform/keys.h"
#include "velloran/platform/null_canvas.h"

using namespace vl;

namespace {

using S = TShiftStateItem;

// Records what the host delivers.
class TRecorder : public TWindowControl {
public:
    using TWindowControl::TWindowControl;
    void Paint(TCanvas& canvas, const TRect& updateRect) override {
        Painted.push_back(updateRect);
        ClipBoxes.push_back(canvas.GetClipBox());
        // Mapping set while painting must not outlive the paint.
        canvas.SetMapMode(TMapMode::mmAnisotropic);
        canvas.SetWindowOrg({500, 500});
        if (OnPaint) OnPaint();
    }
    void MouseDown(TMouseButton b, TShiftState s, int32_t x, int32_t y) override { Log("down", b, s, x, y); }
    void MouseUp(TMouseButton b, TShiftState s, int32_t x, int32_t y) override { Log("up", b, s, x, y); }
    void MouseMove(TShiftState s, int32_t x, int32_t y) override { Log("move", TMouseButton::mbLeft, s, x, y); }
    void DblClick() override { Events.push_back("dblclick"); }
    bool MouseWheel(TShiftState, int32_t delta, int32_t, int32_t) override { return delta > 0; }
    void KeyDown(uint16_t& key, TShiftState) override {
        if (key == VK_TAB) key = 0; // swallowed
    }
    void KeyPress(char16_t& key) override { key = u'X'; }
    void Resize() override { ++Resizes; }
    void Enter() override { Events.push_back("enter"); }
    void Exit() override { Events.push_back("exit"); }

    void Log(const char* what, TMouseButton b, TShiftState s, int32_t x, int32_t y) {
        Events.push_back(std::string(what) + " " + std::to_string(static_cast<int>(b)) + " " +
                         std::to_string(s.Bits()) + " " + std::to_string(x) + "," + std::to_string(y));
    }

    std::vector<TRect> Painted;
    std::vector<TRect> ClipBoxes;
    std::vector<std::string> Events;
    int Resizes = 0;
    std::function<void()> OnPaint;
};

uint16_t Bits(TShiftState s) { return s.Bits(); }

} // namespace

TEST(HeadlessWindowHost, InvalidAreaIsClippedUnitedAndPaintedOnce) {
    TRecorder control;
    TNullCanvas canvas({400, 300});
    THeadlessWindowHost host(&control, {400, 300});
    EXPECT_EQ(control.Host(), &host);
    host.SetCanvas(&canvas);

    EXPECT_FALSE(host.Paint()); // nothing invalid
    host.Invalidate({10, 10, 20, 20}, false);
    host.Invalidate({350, 250, 450, 350}, true); // partly outside
    host.Invalidate({5, 5, 5, 50}, true);        // empty: recorded, adds nothing
    EXPECT_EQ(host.Invalidations().size(), 3u);
    ASSERT_TRUE(host.InvalidRect());
    EXPECT_EQ(*host.InvalidRect(), (TRect{10, 10, 400, 300}));
    EXPECT_TRUE(host.InvalidErase());

    // Invalidations made while painting wait for the next paint.
    control.OnPaint = [&] { host.Invalidate({0, 0, 1, 1}, false); };
    host.Update();
    ASSERT_EQ(control.Painted.size(), 1u);
    EXPECT_EQ(control.Painted[0], (TRect{10, 10, 400, 300}));
    EXPECT_EQ(control.ClipBoxes[0], (TRect{10, 10, 400, 300}));
    EXPECT_EQ(*host.InvalidRect(), (TRect{0, 0, 1, 1}));
    control.OnPaint = nullptr;
    host.Paint();
    EXPECT_FALSE(host.InvalidRect());

    // The paint's mapping and clip were dropped.
    EXPECT_EQ(canvas.Mapping(), TMapping{});
    EXPECT_EQ(canvas.GetClipBox(), (TRect{0, 0, 400, 300}));
}

TEST(HeadlessWindowHost, ScrollingInvalidatesTheUncoveredStrip) {
    TRecorder control;
    THeadlessWindowHost host(&control, {400, 300});
    host.ScrollWindow(8, 0);
    EXPECT_EQ(*host.InvalidRect(), (TRect{0, 0, 8, 300}));
    host.Paint();
    host.ScrollWindow(0, -16);
    EXPECT_EQ(*host.InvalidRect(), (TRect{0, 284, 400, 300}));
    host.Paint();

    // Scrolling beside a strip that stays (a ruler along the left).
    const TRect area{20, 0, 400, 300};
    host.ScrollWindow(-30, 0, &area);
    EXPECT_EQ(*host.InvalidRect(), (TRect{370, 0, 400, 300}));
    host.Paint();
    // A pending invalid area moves with the pixels; both places repaint.
    host.Invalidate({100, 100, 110, 110}, false);
    host.ScrollWindow(0, 50);
    EXPECT_EQ(*host.InvalidRect(), (TRect{0, 0, 400, 160}));
    // A step larger than the area uncovers all of it.
    host.Paint();
    host.ScrollWindow(0, 1000, &area);
    EXPECT_EQ(*host.InvalidRect(), area);
    ASSERT_EQ(host.Scrolls().size(), 5u);
    EXPECT_EQ(host.Scrolls()[2].Rect, area);
}

// Bars coming and going, and resizing, are covered with the scroll bars.
TEST(HeadlessWindowHost, ShownScrollBarsShrinkTheClientAreaAndHoldAFullPage) {
    TRecorder control;
    THeadlessWindowHost host(&control, {400, 300});
    host.SetScrollBarSize(17);
    host.SetScrollInfo(TScrollBarKind::sbHorizontal, {0, 1000, 384, 900, true});
    EXPECT_EQ(host.ClientRect(), (TRect{0, 0, 400, 283}));
    EXPECT_EQ(control.Resizes, 1);
    EXPECT_EQ(host.GetScrollPos(TScrollBarKind::sbHorizontal), 1000 - 384 + 1);
}

TEST(HeadlessWindowHost, MouseMessagesCarryButtonsAndRespectConfinement) {
    TRecorder control;
    THeadlessWindowHost host(&control, {400, 300});
    host.SendMouseDown(TMouseButton::mbLeft, 5, 6, {S::ssShift});
    host.SendMouseMove(7, 8);
    host.SendMouseUp(TMouseButton::mbLeft, 9, 10);
    host.SendDblClick(1, 2);
    const auto down = std::to_string(Bits({S::ssShift, S::ssLeft}));
    const auto held = std::to_string(Bits({S::ssLeft}));
    const auto dbl = std::to_string(Bits({S::ssLeft, S::ssDouble}));
    const std::vector<std::string> expected = {"down 0 " + down + " 5,6", "move 0 " + held + " 7,8",
                                               "up 0 0 9,10", "down 0 " + dbl + " 1,2", "dblclick"};
    EXPECT_EQ(control.Events, expected);
    EXPECT_TRUE(host.SendMouseWheel(120, 0, 0));

    // Confined to the client area less one pixel at right and bottom.
    const TRect clip{0, 0, 399, 299};
    host.SetCursorPos({1000, -5});
    host.ClipCursor(&clip);
    EXPECT_EQ(host.GetCursorPos(), (TPoint{398, 0}));
    control.Events.clear();
    host.SendMouseMove(500, 500);
    EXPECT_EQ(control.Events.back(), "move 0 " + held + " 398,298");
    host.ClipCursor(nullptr);
    EXPECT_FALSE(host.CursorClip());

    // A scripted cursor path for polling loops; the last position stays.
    host.QueueCursorPos({1, 50});
    host.QueueCursorPos({40, 50});
    EXPECT_EQ(host.GetCursorPos(), (TPoint{1, 50}));
    EXPECT_EQ(host.GetCursorPos(), (TPoint{40, 50}));
    EXPECT_EQ(host.GetCursorPos(), (TPoint{40, 50}));

    host.SetClientOrigin({100, 200});
    EXPECT_EQ(host.ClientToScreen({1, 2}), (TPoint{101, 202}));
    EXPECT_EQ(host.ScreenToClient({101, 202}), (TPoint{1, 2}));
}

TEST(HeadlessWindowHost, FocusKeysAndControlLifetime) {
    THeadlessWindowHost host(nullptr, {400, 300});
    {
        TRecorder control;
        host.SetControl(&control);
        host.SetAcceptsFocus(false);
        host.SetFocus();
        EXPECT_FALSE(host.Focused());
        host.SetAcceptsFocus(true);
        host.SetFocus();
        host.SetFocus();
        host.KillFocus();
        EXPECT_EQ(control.Events, (std::vector<std::string>{"enter", "exit"}));
        EXPECT_EQ(host.SendKeyDown(VK_TAB), 0);
        EXPECT_EQ(host.SendKeyDown(VK_LEFT), VK_LEFT);
        EXPECT_EQ(host.SendKeyPress(u'a'), u'X');
        host.SetControl(nullptr);
        EXPECT_EQ(control.Host(), nullptr);
    }
    // Without a control, messages go nowhere.
    host.SendMouseDown(TMouseButton::mbRight, 1, 1);
    host.InvalidateAll();
    EXPECT_TRUE(host.Paint());
}
