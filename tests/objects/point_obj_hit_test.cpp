#include "support/alloc_counter.h"
#include "point_obj_fixture.h"
#include "velloran/platform/null_canvas.h"

using namespace vl;
using namespace vl::test;
using enum TShapetype;

namespace {

using PointHit = PointTest;

// Clicks in the middle and on the last pixel inside each edge hit; one
// pixel beyond each edge misses. The figure fills [x0, x1) x [y0, y1), local.
void ExpectEdges(TPointObj& o, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    const int32_t cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const TPoint in[] = {{cx, cy}, {x0, cy}, {x1 - 1, cy}, {cx, y0}, {cx, y1 - 1}};
    const TPoint out[] = {{x0 - 1, cy}, {x1, cy}, {cx, y0 - 1}, {cx, y1}};
    for (TPoint p : in)
        EXPECT_TRUE(o.Found(Click(90 + p.X, 45 + p.Y))) << p.X << "," << p.Y;
    for (TPoint p : out)
        EXPECT_FALSE(o.Found(Click(90 + p.X, 45 + p.Y))) << p.X << "," << p.Y;
}

TEST_F(PointHit, EveryShapeUnturnedAndTurnedAQuarter) {
    // Squares and circles square, so that figure and region agree unturned.
    const std::tuple<TShapetype, int32_t, int32_t> shapes[] = {
        {stRectangle, 40, 20}, {stEllipse, 40, 20}, {stRoundRect, 40, 20},
        {stSquare, 30, 30},    {stCircle, 30, 30},  {stRoundSquare, 30, 30}};
    for (auto [s, w, h] : shapes) {
        SCOPED_TRACE(static_cast<int>(s));
        Shape(s, w, h);
        O->SetAlphaPlain(0);
        ExpectEdges(*O, 0, 0, w, h);
        // About the hot spot (10, 5) the box turns to [15 − h, 15] x [−5, w − 5].
        O->SetAlphaPlain(QuarterTurn);
        ExpectEdges(*O, 15 - h, -5, 15, w - 5);
        EXPECT_EQ(O->GetLimits(), (TLimRec{105 - h, 40, 105, 40 + w}));
    }
    // Round figures leave the box's corners out.
    Shape(stEllipse);
    O->SetAlphaPlain(0);
    EXPECT_FALSE(O->Found(Click(91, 46)));
    // A turned region keeps no outline: its turned box counts.
    Shape(stRegion);
    O->SetAlphaPlain(QuarterTurn);
    EXPECT_TRUE(O->Found(Click(85, 40)));
}

TEST_F(PointHit, LinesWithinHalfTheLinePrecision) {
    Gen().SetHotspotX(0);
    Gen().SetHotspotY(0);
    Shape(stLine, 40, 20, {});
    O->SetPos({0, 0}); // the segment (0,0)-(40,20)
    EXPECT_TRUE(O->Found(Click(20, 10)));
    EXPECT_TRUE(O->Found(Click(20, 14))); // 4 off: the widened click reaches it
    EXPECT_FALSE(O->Found(Click(20, 17)));
    EXPECT_FALSE(O->Found({18, 14, 20, 16})); // a frame is taken as it is
    EXPECT_TRUE(O->Found(Click(5, 5)));
    Gen().SetWidth(-40); // the other diagonal, (0,20)-(40,0)
    EXPECT_FALSE(O->Found(Click(5, 5)));
    EXPECT_TRUE(O->Found(Click(5, 17)));
}

TEST_F(PointHit, FoundObjectsSetTheCreatorsCursor) {
    Shape(stRectangle, 40, 20, {TGeneratorOption::goFndCursor});
    Tool->SetCursor(crHandPoint);
    EXPECT_FALSE(O->Found(Click(89, 50)));
    EXPECT_EQ(Box->Cursor(), crDefault);
    EXPECT_TRUE(O->Found(Click(95, 50)));
    EXPECT_EQ(Box->Cursor(), crHandPoint);
}

// Counted by the test program's operator new.
TEST_F(PointHit, HitTestsAndPaintingAllocateOnlyTheirRegion) {
    TNullCanvas null;
    Box->ScaleSetting().SetCanvas(&null);
    auto run = [&] {
        O->Show();
        O->Print();
        O->DrawShadow();
        O->SizingHandles({0, 0}, TSizeMode::smCheck);
        (void)O->Found(Click(100, 50));
    };
    for (int16_t a : {int16_t{0}, QuarterTurn})
        for (TShapetype s : {stRectangle, stEllipse, stCircle, stSquare, stRoundRect, stRoundSquare,
                             stLine, stRegion}) {
            SCOPED_TRACE(static_cast<int>(s));
            Shape(s, 40, 20, {TGeneratorOption::goRotation, TGeneratorOption::goShadows});
            O->SetAlphaPlain(a);
            run(); // the first round may grow the canvas's own state
            const long before = vl::test::GAllocations;
            run();
            // A turned outline becomes one polygon region (its point vector).
            EXPECT_EQ(vl::test::GAllocations - before, a && s != stLine && s != stRegion ? 1 : 0);
        }
}

} // namespace
