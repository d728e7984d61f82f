// The draw box's scroll range, scale, scrolling to a point and scrolling
// while a tool drags at the edge.
#include "draw_box_fixture.h"

using namespace vl;
using namespace vltest;

namespace {

using DrawBoxScroll = DrawBoxFixture;

TEST_F(DrawBoxScroll, RangeFollowsTheDrawingAndTheAnchor) {
    Load();
    Click({5000, 100}); // beyond the client area
    Host.InvalidateAll();
    Host.Paint();
    TvlScrollBar& hb = Box->HorzScrollBar();
    const TLimRec lims = Doc().GetLimits();
    EXPECT_EQ(hb.Range(), lims.Xmax); // from the view's left edge to the drawing's right
    EXPECT_EQ(Scale().GetVPHomeX(), 0);

    // Show only the drawing: without the anchor the range forgets the origin.
    Doc().Clear();
    Click({5000, 100});
    Scale().SetVPOrgX(-4900);
    Scale().SetVPHomeX(-4900);
    Box->CheckScrollRange();
    EXPECT_EQ(hb.CalcRange(), 0); // nothing beyond the view
    Box->SetScrollAnchor(true);
    Box->CheckScrollRange();
    EXPECT_EQ(hb.Range(), 5300);
    EXPECT_EQ(hb.Position(), 4900);
    EXPECT_EQ(Scale().GetVPHomeX(), 0);

    // The bars keep this range back at position 0, and the view follows them.
    Host.SendScroll(TScrollBarKind::sbHorizontal, TScrollCode::scTop);
    EXPECT_EQ(hb.Range(), 5300);
    EXPECT_EQ(Scale().GetVPOrgX(), 0);
    Host.SendScroll(TScrollBarKind::sbHorizontal, TScrollCode::scPosition, 1000);
    EXPECT_EQ(Scale().GetVPOrgX(), -1000);
    EXPECT_EQ(Box->DeviceToLog({0, 0}).X, 1000);
}

TEST_F(DrawBoxScroll, ShrinkingWindowKeepsViewAndBarsInStep) {
    Load();
    Click({1000, 800});
    Host.InvalidateAll();
    Host.Paint();
    Host.SendScroll(TScrollBarKind::sbVertical, TScrollCode::scBottom);
    const int32_t pos = Box->VertScrollBar().Position();
    ASSERT_GT(pos, 0);
    EXPECT_EQ(Scale().GetVPOrgY(), -pos);
    // A taller window needs less scrolling: the bar clamps, the origin follows.
    Host.SetWindowSize({400, 700});
    EXPECT_LT(Box->VertScrollBar().Position(), pos);
    EXPECT_EQ(Scale().GetVPOrgY(), Scale().GetVPHomeY() - Box->VertScrollBar().Position());
}

TEST_F(DrawBoxScroll, ScaleZeroFitsTheDrawingAndHidesTheBars) {
    Load();
    Click({-3000, 200});
    Click({6000, 9000});
    int changes = 0;
    Box->OnScaleChange = [&](TObject*) { ++changes; };
    Box->SetScale(0);
    EXPECT_FALSE(Box->HorzScrollBar().Visible());
    EXPECT_FALSE(Box->VertScrollBar().Visible());
    EXPECT_GT(changes, 0);
    const TLimRec l = Doc().GetLimits();
    for (TPoint p : {TPoint{l.Xmin, l.Ymin}, TPoint{l.Xmax, l.Ymax}}) {
        const TPoint d = Box->Canvas()->LPtoDP(p);
        EXPECT_TRUE(d.X >= 0 && d.X <= 400 && d.Y >= 0 && d.Y <= 300) << d.X << "," << d.Y;
    }
    Box->SetScale(2);
    EXPECT_TRUE(Box->State.Contains(TBoxStateItem::bsNewRange));
    EXPECT_EQ(Box->Canvas()->LPtoDP({100, 100}).X - Box->Canvas()->LPtoDP({0, 0}).X, 200);
    // Zoomed in after fitting, the drawing outgrows the window: the bars return.
    Host.InvalidateAll();
    Host.Paint();
    EXPECT_TRUE(Box->HorzScrollBar().Visible());
    EXPECT_TRUE(Host.GetScrollInfo(TScrollBarKind::sbHorizontal).Visible);
    EXPECT_TRUE(Host.GetScrollInfo(TScrollBarKind::sbVertical).Visible);
}

TEST_F(DrawBoxScroll, ScrollToBringsThePointToTheReference) {
    Load();
    Click({3000, 3000});
    Host.InvalidateAll();
    Host.Paint();
    Host.ClearRecords();
    const TRect c = Host.ClientRect();
    Box->ScrollTo({c.Right / 2, c.Bottom / 2}, TOrigin::Center);
    EXPECT_TRUE(Host.Scrolls().empty());
    Box->ScrollTo_Log({1000, 500}, TOrigin::LeftTop);
    EXPECT_EQ(Box->DeviceToLog({0, 0}), (TPoint{1000, 500}));
    EXPECT_EQ(Box->HorzScrollBar().Position(), 1000);
    EXPECT_EQ(Box->HorzScrollBar().Increment(), 8); // restored
    Box->ScrollTo_Log({900, 500}, TOrigin::LeftTop);
    EXPECT_EQ(Box->DeviceToLog({0, 0}), (TPoint{900, 500}));
}

TEST_F(DrawBoxScroll, EdgeScrollingStepsOnlyAfterTheScrollTime) {
    Load();
    Default->ToolState.Include(TToolStateItem::tsCanScroll);
    // Messages handled during a step (straight to the control, the cursor
    // stays): a press is ignored, a release is not.
    int ups = 0;
    Box->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) { ++ups; };
    Default->DuringScroll = [&] {
        Box->MouseDown(TMouseButton::mbLeft, {}, 0, 10);
        Box->MouseUp(TMouseButton::mbLeft, {}, 0, 10);
    };
    Svc.SetTickStep(20);
    for (int i = 0; i < 6; ++i) Host.QueueCursorPos({1, 10});
    Host.QueueCursorPos({200, 10});
    Box->MouseMove({}, 0, 10); // as the host would, without placing the cursor
    // Ticks 20, 40, ... while the cursor stays: steps at 60 and 120.
    EXPECT_EQ(Default->Steps, 2);
    EXPECT_EQ(ups, 2);
    EXPECT_EQ(std::count(Default->Calls.begin(), Default->Calls.end(), "ldown"), 0);
    EXPECT_FALSE(Box->State.Contains(TBoxStateItem::bsToolScroll));
    // At position 0 the world grew to the left by one increment per step.
    EXPECT_EQ(Scale().GetVPHomeX(), 16);
    EXPECT_EQ(Scale().GetVPOrgX(), 16);
    EXPECT_EQ(Box->HorzScrollBar().Range(), 16);

    // Without tsCanScroll the move goes straight to the tool.
    Default->ToolState.Exclude(TToolStateItem::tsCanScroll);
    Box->MouseMove({}, 0, 10);
    EXPECT_EQ(Default->Steps, 2);
}

TEST_F(DrawBoxScroll, GetSpaceExtendsTheRangeToTheRightAndBottom) {
    Load();
    Click({1000, 1000});
    Host.InvalidateAll();
    Host.Paint();
    for (auto [bar, dir] : {std::pair{&Box->HorzScrollBar(), TSpaceDir::dirRight},
                            std::pair{&Box->VertScrollBar(), TSpaceDir::dirBottom}}) {
        const int32_t range = bar->Range();
        Box->GetSpace(40, dir);
        EXPECT_EQ(bar->Range(), range + 40);
        EXPECT_EQ(bar->Position(), bar->CalcRange());
    }
    EXPECT_EQ(Scale().GetVPOrgX(), -Box->HorzScrollBar().Position());
    EXPECT_EQ(Scale().GetVPOrgY(), -Box->VertScrollBar().Position());
}

} // namespace
