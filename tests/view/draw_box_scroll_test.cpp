// The draw box's scroll range, scale, scrolling to a point and scrolling
// while a tool drags at the edge.
#include "draw_box_fixture.h"

#include <algorithm>

using namespace vltest;

namespace {

using DrawBoxScroll = DrawBoxFixture;

TEST_F(DrawBoxScroll, RangeFollowsTheDrawingTheAnchorAndTheBars) {
    Load();
    Click({5000, 100}); // beyond the client area
    Repaint();
    TvlScrollBar& hb = Box->HorzScrollBar();
    EXPECT_EQ(hb.Range(), Doc().GetLimits().Xmax); // from the view's left edge

    // Only the drawing in view: without the anchor nothing is left to scroll.
    Scale().SetVPOrgX(-4900);
    Box->CheckScrollRange();
    EXPECT_EQ(hb.CalcRange(), 0);
    Box->SetScrollAnchor(true);
    Box->CheckScrollRange();
    EXPECT_EQ(hb.Range(), 5300);
    EXPECT_EQ(hb.Position(), 4900);
    EXPECT_EQ(Scale().GetVPHomeX(), 0);

    // The bars keep this range back at position 0, and the view follows them,
    // also when a larger window clamps the position.
    Host.SendScroll(TScrollBarKind::sbHorizontal, TScrollCode::scTop);
    EXPECT_EQ(hb.Range(), 5300);
    EXPECT_EQ(Scale().GetVPOrgX(), 0);
    Host.SendScroll(TScrollBarKind::sbHorizontal, TScrollCode::scBottom);
    EXPECT_EQ(Box->DeviceToLog({0, 0}).X, hb.Position());
    Host.SetWindowSize({4000, 300});
    EXPECT_EQ(Box->DeviceToLog({0, 0}).X, hb.Position());
}

TEST_F(DrawBoxScroll, ScaleZeroFitsTheDrawingAndHidesTheBarsUntilTheViewIsTooSmall) {
    Load();
    Click({-3000, 200});
    Click({6000, 9000});
    Box->SetScale(0);
    EXPECT_FALSE(Box->HorzScrollBar().Visible() || Box->VertScrollBar().Visible());
    const TLimRec l = Doc().GetLimits();
    const TPoint corners[] = {{l.Xmin, l.Ymin}, {l.Xmax, l.Ymax}};
    auto inView = [&](TPoint p) {
        const TPoint d = Box->Canvas()->LPtoDP(p);
        const TRect c = Host.ClientRect();
        return d.X >= 0 && d.X <= c.Right && d.Y >= 0 && d.Y <= c.Bottom;
    };
    for (TPoint p : corners) EXPECT_TRUE(inView(p)) << p.X << "," << p.Y;
    Repaint();
    // A larger window still shows the whole drawing: no bars.
    Host.SetWindowSize({500, 400});
    Repaint();
    EXPECT_FALSE(Host.GetScrollInfo(TScrollBarKind::sbHorizontal).Visible);
    EXPECT_FALSE(Host.GetScrollInfo(TScrollBarKind::sbVertical).Visible);

    // A smaller one brings them back, and both far corners can be scrolled into view.
    Host.SetWindowSize({200, 150});
    Repaint();
    ASSERT_TRUE(Host.GetScrollInfo(TScrollBarKind::sbHorizontal).Visible);
    ASSERT_TRUE(Host.GetScrollInfo(TScrollBarKind::sbVertical).Visible);
    for (TScrollCode end : {TScrollCode::scTop, TScrollCode::scBottom}) {
        Host.SendScroll(TScrollBarKind::sbHorizontal, end);
        Host.SendScroll(TScrollBarKind::sbVertical, end);
        EXPECT_TRUE(inView(corners[end == TScrollCode::scBottom]));
    }

    // So does zooming in after fitting.
    Host.SetWindowSize({400, 300});
    Box->SetScale(2);
    EXPECT_TRUE(Box->State.Contains(TBoxStateItem::bsNewRange));
    EXPECT_EQ(Box->Canvas()->LPtoDP({100, 0}).X - Box->Canvas()->LPtoDP({0, 0}).X, 200);
    Repaint();
    EXPECT_TRUE(Host.GetScrollInfo(TScrollBarKind::sbHorizontal).Visible);
    EXPECT_TRUE(Host.GetScrollInfo(TScrollBarKind::sbVertical).Visible);
}

TEST_F(DrawBoxScroll, TheViewFollowsADraggedThumb) {
    Load();
    Click({3000, 100});
    Repaint();
    Host.SendScroll(TScrollBarKind::sbHorizontal, TScrollCode::scTrack, 700);
    EXPECT_EQ(Box->DeviceToLog({0, 0}).X, 700) << "before the thumb is released";
    Host.SendScroll(TScrollBarKind::sbHorizontal, TScrollCode::scPosition, 650);
    EXPECT_EQ(Box->DeviceToLog({0, 0}).X, 650);
}

TEST_F(DrawBoxScroll, ScrollToBringsThePointToTheReference) {
    Load();
    Click({3000, 3000});
    Repaint();
    Host.ClearRecords();
    const TRect c = Host.ClientRect();
    Box->ScrollTo({c.Right / 2, c.Bottom / 2}, TOrigin::Center);
    EXPECT_TRUE(Host.Scrolls().empty());
    for (TPoint p : {TPoint{1000, 500}, TPoint{900, 520}}) {
        Box->ScrollTo_Log(p, TOrigin::LeftTop);
        EXPECT_EQ(Box->DeviceToLog({0, 0}), p);
    }
    EXPECT_EQ(Box->HorzScrollBar().Position(), 900);
    EXPECT_EQ(Box->HorzScrollBar().Increment(), 8); // restored
}

TEST_F(DrawBoxScroll, EdgeScrollingStepsOnlyAfterTheScrollTime) {
    Load();
    Default->ToolState.Include(TToolStateItem::tsCanScroll);
    // Messages handled during a step: a press is ignored, a release is not.
    int ups = 0;
    Box->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) { ++ups; };
    Default->DuringScroll = [&] {
        Box->MouseDown(TMouseButton::mbLeft, {}, 0, 10);
        Box->MouseUp(TMouseButton::mbLeft, {}, 0, 10);
    };
    Svc.SetTickStep(20);
    for (int i = 0; i < 6; ++i) Host.QueueCursorPos({1, 10});
    Host.QueueCursorPos({200, 10});
    Box->MouseMove({}, 0, 10); // as the host delivers it, without placing the cursor
    // Ticks 20, 40, ... while the cursor stays: steps at 60 and 120.
    EXPECT_EQ(Default->Steps, 2);
    EXPECT_EQ(ups, 2);
    EXPECT_TRUE(std::ranges::none_of(Default->Calls, [](const std::string& c) { return c.starts_with("ldown"); }));
    EXPECT_FALSE(Box->State.Contains(TBoxStateItem::bsToolScroll));
    // At position 0 the world grew to the left by one increment per step.
    EXPECT_EQ(Scale().GetVPHomeX(), 16);
    EXPECT_EQ(Scale().GetVPOrgX(), 16);
    EXPECT_EQ(Box->HorzScrollBar().Range(), 16);
}

} // namespace
