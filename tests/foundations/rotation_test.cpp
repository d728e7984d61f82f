#include <gtest/gtest.h>

#include <numbers>
#include <vector>

#include "velloran/foundations/rotation.h"

namespace vl {
namespace {

constexpr double pi = std::numbers::pi;

std::vector<TPoint> Points(const TPointList& list) {
    std::vector<TPoint> pts;
    for (int32_t i = 0; i < list.Count(); ++i) pts.push_back(list.GetPoints(i));
    return pts;
}

TEST(RotatedPnts, RectangleTurnsCornersInOrder) {
    auto list = RotatedPnts_Rectangle({0, 0, 10, 20}, {0, 0}, pi / 2);
    EXPECT_EQ(Points(*list), (std::vector<TPoint>{{0, 0}, {0, 10}, {-20, 10}, {-20, 0}}));
    // About another pivot the pivot stays fixed.
    list = RotatedPnts_Rectangle({10, 10, 20, 30}, {10, 10}, pi / 2);
    EXPECT_EQ(Points(*list), (std::vector<TPoint>{{10, 10}, {10, 20}, {-10, 20}, {-10, 10}}));
}

TEST(RotatedPnts, EllipseSamplesEveryEleventhOfAQuarter) {
    auto list = RotatedPnts_Ellipse({0, 0, 100, 50}, {0, 0}, 0);
    ASSERT_EQ(list->Count(), 2 * Rot_OutlineDiv);
    EXPECT_EQ(list->GetPoints(0), (TPoint{100, 25}));
    EXPECT_EQ(list->GetPoints(8), (TPoint{50, 50}));   // θ = π/2, bottom on a y-down device
    EXPECT_EQ(list->GetPoints(16), (TPoint{0, 25}));
    EXPECT_EQ(list->GetPoints(24), (TPoint{50, 0}));
    EXPECT_EQ(list->GetPoints(1), (TPoint{99, 30}));   // 50 + 50·cos(π/16), 25 + 25·sin(π/16)

    // Real outline points are turned before rounding: (50, 0) about the centre by π/2.
    list = RotatedPnts_Ellipse({0, 0, 100, 50}, {50, 25}, pi / 2);
    EXPECT_EQ(list->GetPoints(0), (TPoint{50, 75}));
    EXPECT_EQ(list->GetPoints(24), (TPoint{75, 25}));
}

TEST(RotatedPnts, RoundRectApproximatesEachCornerByFourPoints) {
    auto list = RotatedPnts_RoundRect({0, 0, 100, 100}, 40, 40, {0, 0}, 0);
    EXPECT_EQ(Points(*list), (std::vector<TPoint>{{0, 20},   {3, 10},   {10, 3},   {20, 0},
                                                   {80, 0},   {90, 3},   {97, 10},  {100, 20},
                                                   {100, 80}, {97, 90},  {90, 97},  {80, 100},
                                                   {20, 100}, {10, 97},  {3, 90},   {0, 80}}));
    // Width and height of the corner ellipse are independent.
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

    // Swapping start and end gives the lower half.
    list = RotatedPnts_Arc({0, 0, 100, 100}, {0, 50}, {100, 50}, {0, 0}, 0);
    ASSERT_EQ(list->Count(), Rot_OutlineDiv + 1);
    EXPECT_EQ(list->GetPoints(8), (TPoint{50, 100}));

    // Start and end on one ray: a single point, not a full turn.
    list = RotatedPnts_Arc({0, 0, 100, 100}, {100, 0}, {150, -50}, {0, 0}, 0);
    EXPECT_EQ(Points(*list), (std::vector<TPoint>{{85, 15}}));
}

TEST(RotatedPnts, ArcEndsLieOnTheRaysOfAFlatEllipse) {
    // The ray through (200, 0) leaves the centre (100, 50) at parametric
    // angle -π/4; its crossing with the ellipse is (170.7, 14.6).
    auto list = RotatedPnts_Arc({0, 0, 200, 100}, {200, 0}, {0, 50}, {0, 0}, 0);
    EXPECT_EQ(list->First(), (TPoint{0, 50}));
    EXPECT_EQ(list->Last(), (TPoint{171, 15}));
}

TEST(RotatedPnts, ChordAndPieShareTheArc) {
    const TRect r{0, 0, 100, 100};
    const auto arc = Points(*RotatedPnts_Arc(r, {100, 50}, {50, 0}, {7, 3}, 1.0));
    EXPECT_EQ(Points(*RotatedPnts_Chord(r, {100, 50}, {50, 0}, {7, 3}, 1.0)), arc);
    auto pie = Points(*RotatedPnts_Pie(r, {100, 50}, {50, 0}, {0, 0}, pi / 2));
    ASSERT_EQ(pie.size(), Points(*RotatedPnts_Arc(r, {100, 50}, {50, 0}, {0, 0}, pi / 2)).size() + 1);
    EXPECT_EQ(pie.back(), (TPoint{-50, 50})); // the centre, turned
}

} // namespace
} // namespace vl
