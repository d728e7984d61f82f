#include "scroll_fixture.h"

using namespace vl;
using namespace vltest;

namespace {

using ScrollBar = ScrollFixture;

TEST_F(ScrollBar, RangeShowsTheBarAndHoldsThePosition) {
    hb.SetRange(1000);
    EXPECT_EQ(host.GetScrollInfo(H), (TScrollInfo{0, 1000, 401, 0, true}));
    EXPECT_EQ(box.ClientHeight(), 284);
    EXPECT_EQ(hb.CalcRange(), 600);

    hb.SetPosition(5000);
    EXPECT_EQ(host.GetScrollPos(H), 600);
    EXPECT_EQ(LastScroll().dx, -600);
    hb.SetPosition(-5);
    EXPECT_EQ(hb.Position(), 0);
    EXPECT_EQ(LastScroll().dx, 600);

    // Shrinking the range below the position takes the content back with it.
    hb.SetPosition(600);
    hb.SetRange(500);
    EXPECT_EQ(hb.Position(), 100);
    EXPECT_EQ(LastScroll().dx, 500);
    EXPECT_EQ(host.GetScrollPos(H), 100);

    // No range: maximum 0 and no bar; the position goes home with the pixels.
    hb.SetRange(-3);
    EXPECT_EQ(hb.Position(), 0);
    EXPECT_EQ(LastScroll().dx, 100);
    EXPECT_EQ(host.GetScrollInfo(H), (TScrollInfo{0, 0, 401, 0, false}));
    EXPECT_EQ(box.ClientHeight(), 300);
}

TEST_F(ScrollBar, ScrollMessagesMoveByLinePageThumbAndEnds) {
    vb.SetRange(1000); // client 300 high: positions 0..700
    host.SendScroll(V, TScrollCode::scLineDown);
    EXPECT_EQ(LastScroll().dy, -8); // content moves up
    struct Step { TScrollCode Code; int32_t Pos, Want; };
    for (const Step s : {Step{TScrollCode::scPageDown, 0, 308}, Step{TScrollCode::scPageUp, 0, 8},
                         Step{TScrollCode::scTrack, 250, 8}, Step{TScrollCode::scPosition, 250, 250},
                         Step{TScrollCode::scBottom, 0, 700}, Step{TScrollCode::scTop, 0, 0}}) {
        host.SendScroll(V, s.Code, s.Pos);
        EXPECT_EQ(vb.Position(), s.Want) << int(s.Code);
    }
    vb.SetTracking(true);
    host.SendScroll(V, TScrollCode::scTrack, 40000); // beyond 16 bits, clamped to the range
    EXPECT_EQ(vb.Position(), 700);
    host.ClearRecords();
    host.SendScroll(V, TScrollCode::scEndScroll);
    host.SendScroll(H, TScrollCode::scLineDown); // no range: nothing to scroll
    EXPECT_TRUE(host.Scrolls().empty());

    vb.SetIncrement(0);
    EXPECT_EQ(vb.Increment(), 1);
    vb.SetVisible(false); // hides the bar and brings the content home
    EXPECT_EQ(vb.Position(), 0);
    EXPECT_FALSE(host.GetScrollInfo(V).Visible);
    host.SendScroll(V, TScrollCode::scLineDown);
    EXPECT_EQ(vb.Position(), 0);
}

TEST_F(ScrollBar, BackAtZeroTheRangeReturnsToTheLastRangeSet) {
    hb.SetRange(1000);
    box.SyncScrollbars({1500, 0}, {-200, 0});
    EXPECT_TRUE(host.Scrolls().empty()); // syncing moves no pixels
    EXPECT_EQ(hb.Position(), 200);
    EXPECT_EQ(host.GetScrollInfo(H).Max, 1500);
    hb.SetPosition(0);
    EXPECT_EQ(hb.Range(), 1000);
    EXPECT_EQ(hb.DataRange(), 1000);
}

} // namespace
