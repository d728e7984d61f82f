#include <velloran/foundations/angles.h>
#include <velloran/foundations/geometry.h>
#include <velloran/platform/measure.h>
#include <velloran/foundations/point_buffer.h>
#include <velloran/foundations/errors.h>

#include <gtest/gtest.h>

#include <numbers>

using namespace vl;
using std::numbers::pi;

TEST(Angles, GetAngleBranchesAndCalculateAngleHasNoQuadrantCorrection) {
    EXPECT_DOUBLE_EQ(GetAngle(0, 0), -pi / 2);
    EXPECT_DOUBLE_EQ(GetAngle(-1, 0), pi);
    EXPECT_DOUBLE_EQ(GetAngle(-1, -1), pi + pi / 4);
    EXPECT_DOUBLE_EQ(GetAngle(0.005, 0.0), -pi / 2);
    EXPECT_DOUBLE_EQ(GetAngle(-0.009, 2.0), pi / 2);
    EXPECT_DOUBLE_EQ(CalculateAngle({4, 4}, {4, 4}), 0);
    EXPECT_DOUBLE_EQ(CalculateAngle({0, 0}, {-2, 0}), pi);
    EXPECT_DOUBLE_EQ(CalculateAngle({0, 0}, {0, -5}), 4.71238898038469);
    EXPECT_DOUBLE_EQ(CalculateAngle({0, 0}, {-3, -3}), pi / 4);
}

TEST(Angles, RotationUsesTheOldPoint) {
    TPoint pts[] = {{5, 3}, {3, 7}};
    RotatePoints(pts, {2, 3}, pi / 2);
    EXPECT_EQ(pts[0], (TPoint{2, 6}));
    EXPECT_EQ(pts[1], (TPoint{-2, 4}));
}

TEST(Measure, LgIsExactForPowersOfTenAndZeroWhereUndefined) {
    EXPECT_EQ(lg(1000), 3); // callers truncate: 2.999... would be a wrong decade
    EXPECT_EQ(lg(0), 0);
    EXPECT_EQ(lg(-1), 0);
}

TEST(Geometry, HullsCompareFieldByField) {
    const TLimRec odd = LimRec(10, 20, 5, 8);
    EXPECT_EQ(MaxLimRec({&odd, 1}), odd); // not normalised on the way
    EXPECT_EQ(MaxRect({{4, 4, 6, 6}, {0, 9, 1, 10}, {5, 1, 2, 3}}), (TRect{0, 1, 6, 10}));
    EXPECT_EQ(GetPolygonLimits(nullptr, 0), LimRec(2147483647, 2147483647, -2147483647, -2147483647));
}

TEST(Geometry, LineInRectUsesTheOpenInterior) {
    const TLimRec L = LimRec(0, 0, 10, 10);
    EXPECT_TRUE(LineInRect({5, 5}, {50, 50}, L));
    EXPECT_TRUE(LineInRect({-5, 5}, {15, 5}, L));
    EXPECT_TRUE(LineInRect({5, -5}, {5, 15}, L));
    EXPECT_FALSE(LineInRect({0, 0}, {10, 0}, L));    // on the top edge
    EXPECT_FALSE(LineInRect({10, -5}, {10, 15}, L)); // on the right edge
    EXPECT_FALSE(LineInRect({-5, 30}, {30, -5}, L)); // passes outside a corner
    EXPECT_TRUE(LineInRect({-2147483647, 5}, {2147483647, 5}, L));
}

TEST(Geometry, IntersectPoint) {
    TPoint S{-1, -1};
    EXPECT_FALSE(IntersectPoint({0, 0}, {10, 0}, {5, 0}, {15, 0}, S));  // collinear overlap
    EXPECT_FALSE(IntersectPoint({3, 3}, {3, 3}, {0, 0}, {9, 9}, S));    // degenerate
    EXPECT_FALSE(IntersectPoint({0, 0}, {4, 4}, {6, 0}, {10, -4}, S));  // lines meet beyond the ends
    EXPECT_EQ(S, (TPoint{-1, -1}));
    EXPECT_TRUE(IntersectPoint({0, 0}, {4, 2}, {4, 2}, {9, -3}, S));   // common end
    EXPECT_EQ(S, (TPoint{4, 2}));
    // Beyond +-23170 32-bit products would overflow.
    EXPECT_TRUE(IntersectPoint({-2000000000, -2000000000}, {2000000000, 2000000000},
                               {-2000000000, 2000000000}, {2000000000, -1999999998}, S));
    EXPECT_EQ(S, (TPoint{1, 1}));
}

TEST(Geometry, PtOnLineDistanceRules) {
    // Axis-parallel: a widened box, bounds inclusive.
    EXPECT_TRUE(PtOnLine({15, 3}, {0, 0}, {12, 0}, 3));
    EXPECT_FALSE(PtOnLine({16, 0}, {0, 0}, {12, 0}, 3));
    // Flat: vertical distance to the rounded line, exclusive, beyond the ends too.
    EXPECT_TRUE(PtOnLine({5, 6}, {0, 0}, {10, 5}, 5));
    EXPECT_FALSE(PtOnLine({5, 7}, {10, 5}, {0, 0}, 5)); // line rounds to y = 2
    EXPECT_TRUE(PtOnLine({20, 10}, {0, 0}, {10, 5}, 1));
    // Steep: horizontal distance.
    EXPECT_TRUE(PtOnLine({7, 10}, {0, 0}, {5, 10}, 3));
    EXPECT_FALSE(PtOnLine({8, 10}, {0, 0}, {5, 10}, 3));
}

TEST(PointBuffer, ExactSizeWithinTheLimit) {
    TPointBuffer b = NewPoly(MaxPointArray);
    EXPECT_EQ(b[MaxPointArray - 1], (TPoint{0, 0}));
    DeletePoly(b);
    EXPECT_THROW(NewPoly(MaxPointArray + 1), EListError);
}
