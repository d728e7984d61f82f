#include "alloc_counter.h"
#include "point_obj_fixture.h"
#include "velloran/foundations/rotation.h"
#include "velloran/platform/null_canvas.h"

using namespace vl;
using namespace vl::test;
using enum TShapetype;

namespace {

using PointHit = PointTest;

struct TCase {
    TShapetype Shape;
    int32_t W, H;
};
// Squares and circles square, so that drawn figure and region agree.
const TCase Shapes[] = {{stRectangle, 40, 20}, {stEllipse, 40, 20}, {stRoundRect, 40, 20},
                        {stSquare, 30, 30},    {stCircle, 30, 30},  {stRoundSquare, 30, 30}};

// Local points: inside, on each edge (the last pixel inside) and one pixel
// beyond each edge, for a figure occupying [x0, x1) x [y0, y1).
struct TProbe {
    std::vector<TPoint> In, Out;
};
TProbe Probes(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    const int32_t cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    return {{{cx, cy}, {x0, cy}, {x1 - 1, cy}, {cx, y0}, {cx, y1 - 1}},
            {{x0 - 1, cy}, {x1, cy}, {cx, y0 - 1}, {cx, y1}}};
}

TEST_F(PointHit, EveryShapeUnrotatedAndTurnedAQuarter) {
    TPointObj* o = AddPt(); // local origin at (90, 45)
    for (const TCase& c : Shapes) {
        SCOPED_TRACE(static_cast<int>(c.Shape));
        Shape(c.Shape, c.W, c.H);
        o->SetAlphaPlain(0);
        TProbe p = Probes(0, 0, c.W, c.H);
        for (TPoint q : p.In) EXPECT_TRUE(o->Found(Click({90 + q.X, 45 + q.Y}))) << q.X << "," << q.Y;
        for (TPoint q : p.Out) EXPECT_FALSE(o->Found(Click({90 + q.X, 45 + q.Y}))) << q.X << "," << q.Y;

        // A quarter turn about the hot spot (10, 5) takes the box to
        // [15 − H, 15] x [−5, W − 5].
        o->SetAlphaPlain(QuarterTurn);
        p = Probes(15 - c.H, -5, 15, c.W - 5);
        for (TPoint q : p.In) EXPECT_TRUE(o->Found(Click({90 + q.X, 45 + q.Y}))) << q.X << "," << q.Y;
        for (TPoint q : p.Out) EXPECT_FALSE(o->Found(Click({90 + q.X, 45 + q.Y}))) << q.X << "," << q.Y;
        // Inside the unturned box but no longer inside the figure.
        EXPECT_FALSE(o->Found(Click({90 + c.W - 3, 45 + c.H / 2})));
        EXPECT_EQ(o->GetLimits(), (TLimRec{90 + 15 - c.H, 45 - 5, 90 + 15, 45 + c.W - 5}));
    }
}

TEST_F(PointHit, CornersOfRoundShapesAreOutside) {
    TPointObj* o = AddPt();
    for (TShapetype s : {stEllipse, stRoundRect}) {
        Shape(s, 40, 20);
        EXPECT_FALSE(o->Found(Click({90, 45})));
        EXPECT_TRUE(o->Found(Click({90 + 6, 45 + 6})));
        EXPECT_FALSE(o->Found(Click({90 + 39, 45 + 19})));
    }
    Shape(stRectangle, 40, 20);
    EXPECT_TRUE(o->Found(Click({90, 45})));
    EXPECT_TRUE(o->Found(Click({90 + 39, 45 + 19})));
}

TEST_F(PointHit, LinesAreFoundWithinHalfTheLinePrecision) {
    Gen().SetHotspotX(0);
    Gen().SetHotspotY(0);
    Shape(stLine, 40, 20, false);
    TPointObj* o = AddPt({0, 0}); // the segment (0,0)-(40,20)
    EXPECT_TRUE(o->Found(Click({20, 10})));
    EXPECT_TRUE(o->Found(Click({20, 14}))); // 4 units off: the widened click reaches it
    EXPECT_FALSE(o->Found(Click({20, 17})));
    EXPECT_TRUE(o->Found(Click({5, 5})));
    // A frame larger than a click is taken as it is.
    EXPECT_FALSE(o->Found({18, 14, 20, 16}));
    EXPECT_TRUE(o->Found({18, 8, 22, 12}));
    Lin_prec = 0;
    EXPECT_FALSE(o->Found(Click({20, 14})));
    Lin_prec = 8;

    // Negative sizes draw the other diagonal, (0,20)-(40,0).
    Gen().SetWidth(-40);
    EXPECT_EQ(o->GetWidth(), 40);
    EXPECT_TRUE(o->Found(Click({20, 10})));
    EXPECT_FALSE(o->Found(Click({5, 5})));
    EXPECT_TRUE(o->Found(Click({5, 17})));

    // A turned line has no outline: limits all 0, nothing drawn.
    Gen().SetOptions({TGeneratorOption::goRotation});
    o->SetAlphaPlain(QuarterTurn);
    EXPECT_EQ(o->GetLimits(), (TLimRec{0, 0, 0, 0}));
    std::unique_ptr<TPoint[]> pts;
    EXPECT_EQ(o->CreatePolyPntsEx(pts), 0);
    EXPECT_FALSE(pts);
    EXPECT_FALSE(o->CreateShapeRgn(TRgnMode::rmLog));
}

TEST_F(PointHit, RegionsApplicationTestsAndTheFoundCursor) {
    TPointObj* o = AddPt();
    Shape(stRegion, 40, 20);
    EXPECT_TRUE(o->Found(Click({90 + 39, 45})));
    EXPECT_FALSE(o->Found(Click({90 + 40, 45})));
    // Turned, a region keeps no outline: anything in its turned limits counts.
    o->SetAlphaPlain(QuarterTurn);
    EXPECT_EQ(o->GetLimits(), (TLimRec{90 - 5, 45 - 5, 90 + 15, 45 + 35}));
    EXPECT_FALSE(o->CreateShapeRgn(TRgnMode::rmDev));
    EXPECT_TRUE(o->Found(Click({90 - 5, 45 - 5})));

    Shape(stRectangle, 40, 20);
    TLimRec seen{};
    Tool->OnObjectCheckShape = [&](TvlObject*, const TLimRec& r, bool& found) {
        seen = r;
        found = r.Xmin > 100;
    };
    EXPECT_FALSE(o->Found(Click({95, 50})));
    EXPECT_TRUE(o->Found(Click({101, 50})));
    EXPECT_EQ(seen, Click({101, 50})); // absolute coordinates
    Tool->OnObjectCheckShape = nullptr;

    Tool->SetCursor(crHandPoint);
    EXPECT_TRUE(o->Found(Click({95, 50})));
    EXPECT_EQ(Box->Cursor(), crDefault);
    Gen().SetOptions({TGeneratorOption::goFndCursor});
    EXPECT_FALSE(o->Found(Click({89, 50})));
    EXPECT_EQ(Box->Cursor(), crDefault);
    EXPECT_TRUE(o->Found(Click({95, 50})));
    EXPECT_EQ(Box->Cursor(), crHandPoint);
}

TEST_F(PointHit, OutlinePolygonsOfTurnedShapes) {
    TPointObj* o = AddPt();
    std::unique_ptr<TPoint[]> pts;
    Shape(stRectangle, 40, 20);
    o->SetAlphaPlain(QuarterTurn);
    ASSERT_EQ(o->CreatePolyPntsEx(pts), 4);
    EXPECT_EQ(std::vector<TPoint>(pts.get(), pts.get() + 4),
              (std::vector<TPoint>{{15, -5}, {15, 35}, {-5, 35}, {-5, -5}}));
    // A turned square takes the width as its side.
    Shape(stSquare, 40, 20);
    ASSERT_EQ(o->CreatePolyPntsEx(pts), 4);
    EXPECT_EQ(pts[2], (TPoint{-25, 35}));
    Shape(stRoundRect, 40, 20); // corner 20 div 2: r = 5
    ASSERT_EQ(o->CreatePolyPntsEx(pts), 16);
    EXPECT_EQ(pts[0], (TPoint{10, -5}));  // (0, 5)
    EXPECT_EQ(pts[3], (TPoint{15, 0}));   // (5, 0)
    EXPECT_EQ(pts[7], (TPoint{10, 35}));  // (40, 5)
    Shape(stEllipse, 40, 20);
    ASSERT_EQ(o->CreatePolyPntsEx(pts), 2 * Rot_OutlineDiv);
    EXPECT_EQ(pts[0], (TPoint{5, 35}));   // (40, 10)
    EXPECT_EQ(pts[16], (TPoint{5, -5}));  // (0, 10)
    Shape(stCircle, 40, 20);
    ASSERT_EQ(o->CreatePolyPntsEx(pts), 2 * Rot_OutlineDiv);
    EXPECT_EQ(pts[0], (TPoint{-5, 35}));  // (40, 20)
}

TEST_F(PointHit, HitTestsAndPaintingAllocateOnlyTheirRegion) {
    TNullCanvas null;
    Box->ScaleSetting().SetCanvas(&null);
    TPointObj* o = AddPt();
    const TShapetype all[] = {stRectangle, stEllipse, stCircle, stSquare, stRoundRect, stRoundSquare, stLine, stRegion};
    auto run = [&] {
        o->Show();
        o->Print();
        o->DrawShadow();
        o->SizingHandles({0, 0}, TSizeMode::smCheck);
        (void)o->Found(Click({100, 50}));
        (void)o->GetMaxLimits();
    };
    for (int16_t a : {int16_t{0}, QuarterTurn})
        for (TShapetype s : all) {
            SCOPED_TRACE(static_cast<int>(s));
            Shape(s, 40, 20);
            Gen().SetOptions({TGeneratorOption::goRotation, TGeneratorOption::goShadows});
            o->SetAlphaPlain(a);
            run(); // the first round may grow the canvas's own state
            const long before = vl::test::GAllocations;
            run();
            // A turned outline becomes one polygon region (its point vector)
            // in Found; everything else works on the stack.
            const bool polygon = a && s != stLine && s != stRegion;
            EXPECT_EQ(vl::test::GAllocations - before, polygon ? 1 : 0);
        }
}

} // namespace
