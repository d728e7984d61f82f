// The mark-and-move tool driven by real mouse messages through the headless
// window and the scripted clock: finding, marking, delayed moves, grid
// capture, dependants, handles, events and edge scrolling.

#include <string>

#include "tool_fixture.h"
#include "velloran/foundations/scoped_value.h"
#include "velloran/generators/custom_generator.h"
#include "velloran/objects/line_obj.h"
#include "velloran/platform/null_canvas.h"
#include "velloran/tools/line_depends.h"
#include "velloran/tools/mark_move.h"

namespace vl::test {
namespace {

using enum TIndividualFlag;

// Counts the outline segments drawn with the not-xor pen: every outline
// shown must be hidden again, or a trace stays on the screen.
class TOutlineCanvas : public TNullCanvas {
public:
    int32_t Segments = 0;
    void LineTo(int32_t x, int32_t y) override {
        if (Pen().Mode == TPenMode::pmNotXor) ++Segments;
        TNullCanvas::LineTo(x, y);
    }
};

class MarkMoveTest : public PointsTest {
protected:
    MarkMoveTest() {
        Host->SetCanvas(&Canvas);
        Box->ScaleSetting().SetCanvas(&Canvas);
        Svc.SetTicks(1000);
        Tool->Activate(nullptr);
    }
    // Hover, then a left click (press and release) at p.
    void Click(TPoint p, TShiftState Shift = {}) {
        Host->SendMouseMove(p.X, p.Y, Shift);
        Host->SendMouseDown(TMouseButton::mbLeft, p.X, p.Y, Shift);
        Host->SendMouseUp(TMouseButton::mbLeft, p.X, p.Y, Shift);
    }
    // Press on p, move through the points, release at the last.
    void Drag(TPoint p, std::initializer_list<TPoint> Path) {
        Host->SendMouseMove(p.X, p.Y);
        Host->SendMouseDown(TMouseButton::mbLeft, p.X, p.Y);
        TPoint last = p;
        for (TPoint q : Path) Host->SendMouseMove((last = q).X, q.Y);
        Host->SendMouseUp(TMouseButton::mbLeft, last.X, last.Y);
    }
    int32_t Marked() const { return Doc->MarkCase().Count(); }

    TOutlineCanvas Canvas;
    TMarkMove* Tool = AddTool<TMarkMove>({TToolOption::toDefaultTool});
    TvlObject* A = Points->SetNewObj({100, 100}); // box 100..120
    TvlObject* B = Points->SetNewObj({200, 100});
};

TEST_F(MarkMoveTest, ANewlyMarkedObjectMovesOnlyAfterTheDelay) {
    Tool->SetDelay(500);
    Host->SendMouseMove(105, 105);
    Host->SendMouseDown(TMouseButton::mbLeft, 105, 105);
    Svc.AdvanceTicks(500);
    Host->SendMouseMove(112, 105);
    EXPECT_TRUE(A->State.Contains(isMarked));
    EXPECT_FALSE(Tool->Moving());
    Svc.AdvanceTicks(1);
    Host->SendMouseMove(115, 105); // starts the move, moves nothing yet
    EXPECT_TRUE(Tool->Moving());
    EXPECT_EQ(A->GetPos(), (TPoint{100, 100}));
    Host->SendMouseMove(130, 105); // the whole way from the press
    Host->SendMouseUp(TMouseButton::mbLeft, 130, 105);
    EXPECT_EQ(A->GetPos(), (TPoint{125, 100}));
    EXPECT_FALSE(Tool->Moving());

    // Released before the delay: marked, not moved.
    Host->SendMouseMove(205, 105);
    Host->SendMouseDown(TMouseButton::mbLeft, 205, 105);
    Host->SendMouseUp(TMouseButton::mbLeft, 205, 105);
    Svc.AdvanceTicks(600);
    Host->SendMouseMove(210, 105);
    EXPECT_EQ(B->GetPos(), (TPoint{200, 100}));
    EXPECT_FALSE(Tool->Moving());
    EXPECT_EQ(Tool->WaitTick, 0u);
}

TEST_F(MarkMoveTest, ShiftAddsMarksOneMarkShowsHandlesAndAMarkedObjectMovesAllAtOnce) {
    Click({105, 105});
    EXPECT_TRUE(A->GetSizing());
    Click({205, 105}, {TShiftStateItem::ssShift});
    Click({300, 250}, {TShiftStateItem::ssShift});
    EXPECT_EQ(Marked(), 2);
    EXPECT_TRUE(A->State.Contains(isMarked) && B->State.Contains(isMarked));
    EXPECT_FALSE(A->GetSizing() || B->GetSizing());
    // Pressing a marked object moves the marks, whatever the delay.
    Tool->SetDelay(100000);
    Drag({205, 105}, {{215, 125}});
    EXPECT_EQ(A->GetPos(), (TPoint{110, 120}));
    EXPECT_EQ(B->GetPos(), (TPoint{210, 120}));
    EXPECT_EQ(Marked(), 2);
    EXPECT_TRUE(A->GetVisible() && B->GetVisible());
    EXPECT_GT(Canvas.Segments, 0);
    EXPECT_EQ(Canvas.Segments % 8, 0); // every outline shown was hidden again
    Click({300, 250});
    EXPECT_EQ(Marked(), 0);
    Click({215, 125});
    EXPECT_EQ(Marked(), 1);
    EXPECT_TRUE(B->GetSizing());
}

TEST_F(MarkMoveTest, GridCaptureCarriesTheRemainderIntoTheNextStep) {
    Box->Grid().SetCapture(true); // increments 100
    Click({105, 105});
    Host->SendMouseDown(TMouseButton::mbLeft, 105, 105);
    Host->SendMouseMove(254, 105);
    EXPECT_EQ(A->GetPos(), (TPoint{200, 100}));
    Host->SendMouseMove(305, 105);
    EXPECT_EQ(A->GetPos(), (TPoint{300, 100}));
    Host->SendMouseUp(TMouseButton::mbLeft, 305, 105);
}

TEST_F(MarkMoveTest, ALineBetweenTwoMarkedPointsMovesAlongAndLeavesTheMarkCaseAfterwards) {
    auto* Depends = AddTool<TLineDepends>();
    Depends->SetMasterObject(Points);
    Depends->LinkNewObjTo(A);
    auto* line = static_cast<TLineObj*>(Depends->LinkNewObjTo(B));
    ASSERT_NE(line, nullptr);
    Click({105, 105});
    Click({205, 105}, {TShiftStateItem::ssShift});
    Drag({205, 105}, {{215, 110}, {245, 140}});
    EXPECT_EQ(std::pair(line->GetPos(), line->GetPos2()), std::pair(TPoint{140, 135}, TPoint{240, 135}));
    EXPECT_EQ(Marked(), 2);
    EXPECT_FALSE(line->GetSelected());
    EXPECT_TRUE(line->GetVisible());
}

TEST_F(MarkMoveTest, FindingHonoursDontFindCtrlAndTheLineTolerance) {
    TvlObject* top = Points->SetNewObj({110, 110}); // overlaps A, painted later
    Host->SendMouseMove(115, 115);
    EXPECT_EQ(Box->MouseFnd(), top);
    Host->SendMouseMove(115, 115, {TShiftStateItem::ssCtrl});
    EXPECT_EQ(Box->MouseFnd(), A);

    Points->Generator().SetOptions({TGeneratorOption::goDontFind});
    Host->SendMouseMove(115, 115);
    EXPECT_EQ(Box->MouseFnd(), nullptr);
    Host->SendMouseDown(TMouseButton::mbLeft, 115, 115);
    EXPECT_EQ(Marked(), 0);

    TScopedValue<int32_t> keep{Lin_prec, 8};
    TMarkMove::SetFindLines(0);
    TMarkMove::SetFindLines(-3);
    EXPECT_EQ(TMarkMove::FindLines(), 8);
    TMarkMove::SetFindLines(12);
    EXPECT_EQ(Lin_prec, 12);
}

TEST_F(MarkMoveTest, TheRightButtonCommitsAMoveAtThePresentPosition) {
    Drag({105, 105}, {}); // marks A
    Host->SendMouseDown(TMouseButton::mbLeft, 105, 105);
    Host->SendMouseMove(135, 125);
    EXPECT_FALSE(A->GetVisible()); // only its outline follows
    Host->SendMouseDown(TMouseButton::mbRight, 135, 125);
    EXPECT_FALSE(Tool->Moving());
    EXPECT_TRUE(A->GetVisible());
    EXPECT_FALSE(Host->CursorClip().has_value());
    Host->SendMouseMove(160, 160, {TShiftStateItem::ssLeft});
    Host->SendMouseUp(TMouseButton::mbLeft, 160, 160);
    EXPECT_EQ(A->GetPos(), (TPoint{130, 120}));
}

TEST_F(MarkMoveTest, ClicksDoubleClicksRightClicksAndMovePhasesAreReported) {
    std::string log;
    const auto name = [this](TvlObject* o) { return std::string(o == A ? "A" : o == B ? "B" : "-"); };
    Tool->OnObjectClick = [&](TvlObject* o) { log += "click" + name(o) + " "; };
    Tool->OnObjectDblClick = [&](TvlObject* o) { log += "dbl" + name(o) + " "; };
    Tool->OnObjectStartMove = [&](TObject*, TShiftState, int32_t x, int32_t) { log += "start" + std::to_string(x) + " "; };
    Tool->OnObjectMove = [&](TObject*, TShiftState, int32_t x, int32_t) { log += "move" + std::to_string(x) + " "; };
    Tool->OnObjectEndMove = [&](TObject*, TShiftState, int32_t x, int32_t) { log += "end" + std::to_string(x) + " "; };
    Drag({105, 105}, {{110, 105}, {112, 105}});
    Host->SendMouseMove(205, 105);
    Host->SendDblClick(205, 105);
    EXPECT_EQ(log, "clickA start110 move112 end112 dblB ");
    EXPECT_EQ(Marked(), 0);

    // Without OnObjectClickR a right click unmarks; with it the object is reported.
    Click({205, 105});
    Host->SendMouseDown(TMouseButton::mbRight, 205, 105);
    EXPECT_EQ(Marked(), 0);
    EXPECT_EQ(Box->Tool(), Tool);
    log.clear();
    Tool->OnObjectClickR = [&](TvlObject* o) { log += "right" + name(o); };
    Host->SendMouseDown(TMouseButton::mbRight, 205, 105);
    EXPECT_EQ(log, "rightB");
}

TEST_F(MarkMoveTest, AReleaseDuringEdgeScrollingEndsTheMoveAndTheLoop) {
    Box->SetAutoScroll(true);
    Click({105, 105});
    Svc.SetTickStep(30);
    int32_t steps = 0;
    Svc.OnProcessMessages = [&] {
        if (++steps == 2) Host->SendMouseUp(TMouseButton::mbLeft, 398, 105);
    };
    Host->SendMouseDown(TMouseButton::mbLeft, 105, 105);
    Host->SendMouseMove(200, 105);
    ASSERT_TRUE(Host->CursorClip().has_value());
    Host->SendMouseMove(398, 105); // right edge zone: the loop runs until the release
    EXPECT_EQ(steps, 2);
    EXPECT_FALSE(Tool->Moving());
    EXPECT_FALSE(Host->CursorClip().has_value());
    EXPECT_TRUE(A->GetVisible());
    EXPECT_EQ(Canvas.Segments % 8, 0);
    // The first step moved A along; the step cut short by the release did not.
    EXPECT_GT(A->GetPos().X, 100 + 95);
    const TPoint at = A->GetPos();
    Host->SendMouseMove(300, 105);
    EXPECT_EQ(A->GetPos(), at);
}

TEST_F(MarkMoveTest, TerminatingEndsTheMoveAndUnmarksAndTheMarkColourReachesTheDrawBox) {
    Tool->SetMarkColor(0x00FF00);
    EXPECT_EQ(Box->clMarkPen(), 0x00FF00);
    Click({105, 105});
    Host->SendMouseDown(TMouseButton::mbLeft, 105, 105);
    Host->SendMouseMove(125, 105);
    Points->Activate(nullptr);
    EXPECT_FALSE(Tool->Moving());
    EXPECT_TRUE(A->GetVisible());
    EXPECT_EQ(A->GetPos(), (TPoint{120, 100}));
    EXPECT_EQ(Marked(), 0);
    EXPECT_FALSE(A->State.Contains(isMarked));
}

} // namespace
} // namespace vl::test
