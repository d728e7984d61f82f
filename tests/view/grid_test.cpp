#include <gtest/gtest.h>

#include "support/recording_canvas.h"
#include "velloran/platform/errors.h"
#include "velloran/view/grid.h"
#include "velloran/view/scale_setting.h"
#include "velloran/view/shadows.h"

namespace vl {
namespace {

using test::TRecordingCanvas;
using test::TSegment;

struct GridTest : ::testing::Test {
    int Repaints = 0;
    TvlGrid Grid{[this] { ++Repaints; }};
};

TEST_F(GridTest, SettersRepaintOnlyOnChange) {
    EXPECT_FALSE(Grid.Visible());
    EXPECT_EQ(Grid.ShowEvery(), 0);
    EXPECT_EQ(Grid.IncHorz(), 100);
    EXPECT_EQ(Grid.IncVert(), 100);

    Grid.SetIncHorz(100);
    Grid.SetVisible(false);
    Grid.SetShowEvery(0);
    EXPECT_EQ(Repaints, 0);

    Grid.SetVisible(true);
    EXPECT_EQ(Grid.ShowEvery(), 1) << "a shown grid needs an interval";
    EXPECT_EQ(Repaints, 1);

    Grid.SetShowEvery(0);
    EXPECT_FALSE(Grid.Visible());
    Grid.SetShowEvery(3);
    EXPECT_TRUE(Grid.Visible());
    Grid.SetVisible(false);
    Grid.SetVisible(true);
    EXPECT_EQ(Grid.ShowEvery(), 3) << "a positive interval is kept";

    Grid.SetIncVert(50);
    Grid.SetCapture(true);
    EXPECT_EQ(Repaints, 6);

    TPen pen;
    pen.Color = clRed;
    Grid.SetPen(pen);
    EXPECT_EQ(Repaints, 7) << "a new pen repaints";
    EXPECT_EQ(Grid.Pen().Color, clRed);
}

TEST_F(GridTest, MatchCoordsHalvesToEven) {
    const auto snap = [&](TPoint p) { Grid.MatchCoords(p); return p; };
    EXPECT_EQ(snap({150, 250}), (TPoint{200, 200}));
    EXPECT_EQ(snap({-150, -250}), (TPoint{-200, -200}));
    EXPECT_EQ(snap({-149, 49}), (TPoint{-100, 0}));
    EXPECT_EQ(snap({-151, 51}), (TPoint{-200, 100}));

    Grid.SetShowEvery(5);
    EXPECT_EQ(snap({130, 0}), (TPoint{100, 0})) << "ShowEvery takes no part";

    Grid.SetIncVert(-10);
    Grid.SetIncHorz(0);
    EXPECT_EQ(snap({33, 47}), (TPoint{33, 47}));

    // No overflow at the ends of the range.
    Grid.SetIncHorz(1431655764);
    Grid.SetIncVert(100);
    const TPoint p = snap({INT32_MAX, INT32_MIN});
    EXPECT_EQ(p.X, INT32_MAX);
    EXPECT_EQ(p.Y, -2147483600);
}

TEST_F(GridTest, DrawsLinesOnMultiplesOfTheStep) {
    TRecordingCanvas c;
    TPen pen;
    pen.Color = clBlue;
    Grid.SetPen(pen);
    Grid.SetShowEvery(5); // lines every 500, snapping still by 100
    Grid.Draw(c, {-1200, -50, 1100, 300}, 10);
    const std::vector<TSegment> expected{
        {{-1000, -60}, {-1000, 310}}, {{-500, -60}, {-500, 310}}, {{0, -60}, {0, 310}},
        {{500, -60}, {500, 310}},     {{1000, -60}, {1000, 310}}, {{-1210, 0}, {1110, 0}},
    };
    EXPECT_EQ(c.Lines, expected);
    EXPECT_EQ(c.Pen().Color, clBlue);
}

TEST_F(GridTest, DrawStartsByTruncatedDivision) {
    // Left of the origin a line just outside the area is skipped, right of it
    // it is drawn: the start is found by division towards zero.
    TRecordingCanvas c;
    Grid.SetShowEvery(1);
    Grid.SetIncVert(-1);
    Grid.Draw(c, {-1195, 0, -1050, 10}, 10);
    ASSERT_EQ(c.Lines.size(), 1u);
    EXPECT_EQ(c.Lines[0].From.X, -1100);

    c.Lines.clear();
    Grid.Draw(c, {1005, 0, 1060, 10}, 10);
    ASSERT_EQ(c.Lines.size(), 1u);
    EXPECT_EQ(c.Lines[0].From.X, 1000);

    // A line at Xmax + One is outside; one just below is inside.
    c.Lines.clear();
    Grid.Draw(c, {0, 0, 190, 10}, 10);
    EXPECT_EQ(c.Lines.size(), 2u);
    c.Lines.clear();
    Grid.Draw(c, {0, 0, 191, 10}, 10);
    EXPECT_EQ(c.Lines.size(), 3u);
}

TEST_F(GridTest, DrawWithoutStepOrAreaDrawsNothing) {
    TRecordingCanvas c;
    Grid.Draw(c, {0, 0, 1000, 1000}, 1); // ShowEvery 0
    Grid.SetShowEvery(1);
    Grid.Draw(c, {EmptyLimMin, EmptyLimMin, EmptyLimMax, EmptyLimMax}, 1);
    EXPECT_TRUE(c.Lines.empty());

    // Extreme areas stay finite and in range.
    Grid.SetIncHorz(1 << 30);
    Grid.SetIncVert(1 << 30);
    Grid.Draw(c, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, 5);
    EXPECT_EQ(c.Lines.size(), 10u);
}

TEST_F(GridTest, DrawsOnTheMappingInForce) {
    TRecordingCanvas c;
    TScaleSetting ss(&c);
    ss.SetMinUnit(TLenUnits::Pixel);
    ss.SetScale(0.5); // one pixel is two logical units
    Grid.SetShowEvery(1);

    ActScaleSet = nullptr;
    Grid.Draw({0, 0, 150, 150});
    EXPECT_TRUE(c.Lines.empty()) << "no mapping, nothing to draw on";

    ActScaleSet = &ss;
    Grid.Draw({0, 0, 150, 150});
    ActScaleSet = nullptr;
    const std::vector<TSegment> expected{
        {{0, -2}, {0, 152}}, {{100, -2}, {100, 152}}, {{-2, 0}, {152, 0}}, {{-2, 100}, {152, 100}}};
    EXPECT_EQ(c.Lines, expected);
}

TEST(Shadows, DefaultsAndAssign) {
    TShadows s;
    EXPECT_EQ(s.dX(), 10);
    EXPECT_EQ(s.dY(), 7);
    EXPECT_EQ(s.Brush(), (TBrush{0x808080, TBrushStyle::bsSolid}));

    TShadows t;
    s.SetdX(-3);
    s.SetBrush({clRed, TBrushStyle::bsCross});
    t.Assign(s);
    EXPECT_EQ(t.dX(), -3);
    EXPECT_EQ(t.Brush().Style, TBrushStyle::bsCross);
    TvlGrid g;
    EXPECT_THROW(t.Assign(g), EConvertError);
}

} // namespace
} // namespace vl
