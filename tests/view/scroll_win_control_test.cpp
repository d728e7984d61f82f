#include "scroll_fixture.h"

#include <velloran/foundations/errors.h>

#include <tuple>

using namespace vl;
using namespace vltest;

namespace {

using ScrollWinControl = ScrollFixture;

TEST_F(ScrollWinControl, EachBarLeavesRoomForTheOther) {
    hb.SetRange(500);
    vb.SetRange(290); // fits 300, but not the 284 left under the horizontal bar
    EXPECT_EQ(vb.CalcRange(), 6);
    EXPECT_EQ(hb.CalcRange(), 116); // 500 - (400 - 16)
    EXPECT_EQ(host.GetScrollInfo(H).Page, 385);

    vb.SetRange(100); // the vertical bar goes and gives its width back
    EXPECT_FALSE(host.GetScrollInfo(V).Visible);
    EXPECT_EQ(hb.CalcRange(), 100);
    EXPECT_EQ(box.ClientWidth(), 400);
}

TEST_F(ScrollWinControl, ScrollByKeepsTheNonScrollAreasInPlace) {
    box.SetNonScrollH({0, 0, 30, 300}); // a strip down the left side
    box.SetNonScrollV({0, 0, 400, 20}); // a strip along the top
    for (auto [dx, dy, want] : {std::tuple{-8, 0, TRect{30, 0, 400, 300}}, std::tuple{0, -8, TRect{0, 20, 400, 300}},
                                std::tuple{5, 5, TRect{30, 20, 400, 300}}}) {
        box.ScrollBy(dx, dy);
        EXPECT_EQ(LastScroll().Rect, want);
    }
    // Only an area that spans a whole side can be cut off.
    box.SetNonScrollH({0, 10, 30, 300});
    box.ScrollBy(-8, 0);
    EXPECT_EQ(LastScroll().Rect, (TRect{0, 0, 400, 300}));

    // A hidden window only keeps the position.
    hb.SetRange(1000);
    host.SetShowing(false);
    host.ClearRecords();
    hb.SetPosition(100);
    EXPECT_EQ(hb.Position(), 100);
    EXPECT_TRUE(host.Scrolls().empty());
}

TEST_F(ScrollWinControl, AutomaticRangeFollowsVisibleChildren) {
    hb.SetMargin(10);
    box.AddChild({{100, 50, 450, 400}});
    EXPECT_EQ(hb.Range(), 460);
    EXPECT_EQ(vb.Range(), 400);
    box.AddChild({{0, 0, 40, 30}, TAlign::alRight});
    box.AddChild({{0, 0, 1000, 1000}, TAlign::alClient});
    box.AddChild({{0, 0, 2000, 2000}, TAlign::alNone, false});
    hb.SetPosition(50); // children scroll with the content
    box.SetChild(0, {{100, 50, 450, 400}});
    EXPECT_EQ(hb.Range(), 500);
    EXPECT_EQ(vb.Range(), 400);

    box.DisableAutoRange();
    box.RemoveChild(0);
    EXPECT_EQ(hb.Range(), 500);
    box.EnableAutoRange();
    EXPECT_EQ(hb.Range(), 50);
    EXPECT_EQ(vb.Range(), 0);
    box.EnableAutoRange(); // unbalanced: must not stop the next suspension
    box.DisableAutoRange();
    box.AddChild({{0, 0, 900, 10}});
    EXPECT_EQ(hb.Range(), 50);
    box.EnableAutoRange();

    vb.SetRange(700); // explicit: children no longer count
    box.AddChild({{0, 0, 10, 2000}});
    EXPECT_EQ(vb.Range(), 700);
    EXPECT_THROW(box.RemoveChild(99), EListError);
}

TEST_F(ScrollWinControl, ScrollInViewBringsAChildIntoTheClientArea) {
    hb.SetRange(2000);
    hb.SetMargin(5);
    const int32_t right = box.AddChild({{500, 0, 600, 10}});
    const int32_t wide = box.AddChild({{700, 0, 1300, 10}});
    box.ScrollInView(right);
    EXPECT_EQ(hb.Position(), 205); // right edge plus margin at the client's edge
    hb.SetPosition(0);
    box.ScrollInView(wide);
    EXPECT_EQ(hb.Position(), 695); // wider than the client: its left edge stays in view
    box.ScrollInView(right);
    EXPECT_EQ(hb.Position(), 495); // left edge less margin at the client's edge
    box.ScrollInView(right);
    EXPECT_EQ(hb.Position(), 495); // already in view
}

TEST_F(ScrollWinControl, ResizeRechecksTheRangeAndNotifies) {
    int resized = 0;
    box.OnResize = [&](TObject*) { ++resized; };
    hb.SetRange(1000);
    hb.SetPosition(600);
    resized = 0;
    host.SetWindowSize({700, 300});
    EXPECT_EQ(hb.Position(), 300);
    EXPECT_EQ(host.InvalidRect(), (TRect{0, 0, 700, 284}));
    host.SetWindowSize({1200, 300});
    EXPECT_EQ(hb.Position(), 0);
    EXPECT_EQ(box.ClientHeight(), 300);
    EXPECT_GE(resized, 2);
    host.Paint();
    host.SetWindowSize({1200, 250}); // shrinking uncovers nothing, yet all is repainted
    EXPECT_EQ(host.InvalidRect(), (TRect{0, 0, 1200, 250}));

    box.BeginLoading();
    resized = 0;
    host.SetWindowSize({800, 300});
    EXPECT_EQ(resized, 0);
}

} // namespace
