#include <gtest/gtest.h>

#include <vector>

#include "velloran/scale/grid.h"
#include "velloran/scale/scale_setting.h"
#include "view/fake_canvas.h"

namespace vl {
namespace {

using TLine = std::pair<TPoint, TPoint>;

class TLineCanvas : public vltest::TFakeCanvas {
public:
    std::vector<TLine> Lines;
    void MoveTo(int32_t x, int32_t y) override { FPenPos = {x, y}; }
    void LineTo(int32_t x, int32_t y) override { Lines.push_back({FPenPos, {x, y}}); }
};

struct GridTest : ::testing::Test {
    TvlGrid Grid{[] {}};
    TLineCanvas Canvas;
};

TEST_F(GridTest, MatchCoordsHalvesToEven) {
    const auto snap = [&](TPoint p) { Grid.MatchCoords(p); return p; };
    EXPECT_EQ(snap({150, 250}), (TPoint{200, 200}));
    EXPECT_EQ(snap({-150, -250}), (TPoint{-200, -200}));
    EXPECT_EQ(snap({-149, 49}), (TPoint{-100, 0}));
    Grid.SetShowEvery(5);
    Grid.SetIncVert(-10);
    EXPECT_EQ(snap({130, 47}), (TPoint{100, 47})) << "ShowEvery takes no part; no increment, no snap";
    Grid.SetIncHorz(1431655764);
    EXPECT_EQ(snap({INT32_MAX, 0}).X, INT32_MAX) << "saturates instead of overflowing";
}

TEST_F(GridTest, DrawsLinesOnMultiplesOfTheStep) {
    Grid.SetShowEvery(0);
    EXPECT_FALSE(Grid.Visible());
    Grid.SetVisible(true);
    EXPECT_EQ(Grid.ShowEvery(), 1) << "a shown grid needs an interval";
    Grid.SetShowEvery(5); // lines every 500
    Grid.Draw(Canvas, {-1200, -50, 1100, 300}, 10);
    const std::vector<TLine> expected{
        {{-1000, -60}, {-1000, 310}}, {{-500, -60}, {-500, 310}}, {{0, -60}, {0, 310}},
        {{500, -60}, {500, 310}},     {{1000, -60}, {1000, 310}}, {{-1210, 0}, {1110, 0}},
    };
    EXPECT_EQ(Canvas.Lines, expected);

    // The start is found by division towards zero: a line within one pixel
    // before the area is drawn right of the origin but not left of it.
    Grid.SetShowEvery(1);
    Grid.SetIncVert(-1);
    Canvas.Lines.clear();
    Grid.Draw(Canvas, {1005, 0, 1060, 0}, 10);
    Grid.Draw(Canvas, {-1195, 0, -1050, 0}, 10);
    ASSERT_EQ(Canvas.Lines.size(), 2u);
    EXPECT_EQ(Canvas.Lines[0].first.X, 1000);
    EXPECT_EQ(Canvas.Lines[1].first.X, -1100);
}

TEST_F(GridTest, DrawUsesTheMappingInForce) {
    TScaleSetting ss(&Canvas);
    ss.SetMinUnit(TLenUnits::Pixel);
    ss.SetScale(0.5); // a pixel is two logical units
    Grid.SetShowEvery(1);
    Grid.Draw({0, 0, 150, 150});
    EXPECT_TRUE(Canvas.Lines.empty()) << "no mapping, no canvas";
    {
        TActScaleSetScope inForce(&ss);
        Grid.Draw({0, 0, 150, 150});
    }
    const std::vector<TLine> expected{
        {{0, -2}, {0, 152}}, {{100, -2}, {100, 152}}, {{-2, 0}, {152, 0}}, {{-2, 100}, {152, 100}}};
    EXPECT_EQ(Canvas.Lines, expected);
}

} // namespace
} // namespace vl
