#include <gtest/gtest.h>

#include <numbers>
#include <vector>

#include "velloran/foundations/rotation.h"

namespace vl {
namespace {

constexpr double pi = std::numbers::pi;

std::vector<TPoint> Points(const TPointList& list) {
    std::vector<TPoint> pts;
    for (int32_t i = 0; i < list.Count(); ++i)
        pts.push_back(list.GetPoints(i));
    return pts;
}

TEST(RotatedPnts, RectangleAndEllipse) {
    EXPECT_EQ(Points(*RotatedPnts_Rectangle({0, 0, 10, 20}, {0, 0}, pi / 2)),
              (std::vector<TPoint>{{0, 0}, {0, 10}, {-20, 10}, {-20, 0}}));

    auto list = RotatedPnts_Ellipse({0, 0, 100, 50}, {0, 0}, 0);
    ASSERT_EQ(list->Count(), 2 * Rot_OutlineDiv);
    EXPECT_EQ(list->GetPoints(0), (TPoint{100, 25}));
    EXPECT_EQ(list->GetPoints(8), (TPoint{50, 50})); // θ = π/2, bottom on a y-down device
    // Real outline points are turned before rounding.
    list = RotatedPnts_Ellipse({0, 0, 100, 50}, {50, 25}, pi / 2);
    EXPECT_EQ(list->GetPoints(0), (TPoint{50, 75}));
}

TEST(RotatedPnts, RoundRectCornersUseTheirOwnHalfAxes) {
    auto list = RotatedPnts_RoundRect({0, 0, 100, 100}, 40, 40, {0, 0}, 0);
    ASSERT_EQ(list->Count(), 16);
    EXPECT_EQ(list->GetPoints(1), (TPoint{3, 10}));
    EXPECT_EQ(list->GetPoints(2), (TPoint{10, 3}));
    EXPECT_EQ(list->GetPoints(15), (TPoint{0, 80}));
    list = RotatedPnts_RoundRect({0, 0, 100, 100}, 20, 60, {0, 0}, 0);
    EXPECT_EQ(list->GetPoints(0), (TPoint{0, 30}));
    EXPECT_EQ(list->GetPoints(3), (TPoint{10, 0}));
}

TEST(RotatedPnts, ArcRunsFromEndToStartThroughIncreasingAngle) {
    // Start on the right, end on the left: the device's arc is the upper half.
    auto list = RotatedPnts_Arc({0, 0, 100, 100}, {100, 50}, {0, 50}, {0, 0}, 0);
    ASSERT_EQ(list->Count(), Rot_OutlineDiv + 1);
    EXPECT_EQ(list->First(), (TPoint{0, 50}));
    EXPECT_EQ(list->GetPoints(8), (TPoint{50, 0}));
    EXPECT_EQ(list->Last(), (TPoint{100, 50}));
    // Swapped: the lower half.
    list = RotatedPnts_Arc({0, 0, 100, 100}, {0, 50}, {100, 50}, {0, 0}, 0);
    EXPECT_EQ(list->GetPoints(8), (TPoint{50, 100}));
    // Start and end on one ray: a single point, not a full turn.
    list = RotatedPnts_Arc({0, 0, 100, 100}, {100, 0}, {150, -50}, {0, 0}, 0);
    EXPECT_EQ(Points(*list), (std::vector<TPoint>{{85, 15}}));
    // On a flat ellipse the end lies on the ray through (200, 0) from the
    // centre (100, 50): parametric angle -π/4, not the ray's own angle.
    list = RotatedPnts_Arc({0, 0, 200, 100}, {200, 0}, {0, 50}, {0, 0}, 0);
    EXPECT_EQ(list->Last(), (TPoint{171, 15}));
}

} // namespace
} // namespace vl
