#include <velloran/foundations/geometry.h>
#include <velloran/foundations/point_buffer.h>
#include <velloran/platform/errors.h>

#include <gtest/gtest.h>

using namespace vl;

TEST(Geometry, HullsCompareFieldByFieldAndKeepUnnormalisedInput) {
    const TLimRec odd = LimRec(10, 20, 5, 8);
    EXPECT_EQ(MaxLimRec({&odd, 1}), odd);
    const TLimRec two[] = {LimRec(0, 5, 3, 9), LimRec(-2, 7, 1, 12)};
    EXPECT_EQ(MaxLimRec(two), LimRec(-2, 5, 3, 12));
    const TRect rects[] = {{4, 4, 6, 6}, {0, 9, 1, 10}, {5, 1, 2, 3}};
    EXPECT_EQ(MaxRect(rects), (TRect{0, 1, 6, 10}));

    EXPECT_EQ(GetPolygonLimits(nullptr, 0), LimRec(2147483647, 2147483647, -2147483647, -2147483647));
    const TPoint pts[] = {{3, -1}, {-4, 7}, {0, 0}};
    EXPECT_EQ(GetPolygonLimits(pts), LimRec(-4, -1, 3, 7));
}

TEST(Geometry, Normalisation) {
    TRect r{5, 9, 1, 2};
    RectDirection(r);
    EXPECT_EQ(r, (TRect{1, 2, 5, 9}));
    TLimRec l = LimRec(1, 9, 5, 2);
    LimRecDirection(&l);
    EXPECT_EQ(l, LimRec(1, 2, 5, 9));
    LimRecDirection(nullptr);
}

TEST(Geometry, PtInLimitsIsInclusive) {
    const TLimRec L = LimRec(0, 0, 10, 10);
    EXPECT_TRUE(PtInLimits({0, 10}, L));
    EXPECT_TRUE(PtInLimits({10, 0}, L));
    EXPECT_FALSE(PtInLimits({11, 5}, L));
    EXPECT_FALSE(PtInLimits({5, -1}, L));
}

TEST(Geometry, LineInRectUsesTheOpenInterior) {
    const TLimRec L = LimRec(0, 0, 10, 10);
    EXPECT_TRUE(LineInRect({5, 5}, {50, 50}, L));
    EXPECT_TRUE(LineInRect({-5, 5}, {15, 5}, L));    // crosses horizontally
    EXPECT_TRUE(LineInRect({5, -5}, {5, 15}, L));    // crosses vertically
    EXPECT_TRUE(LineInRect({-5, -2}, {12, 15}, L));  // diagonal through corners' interior
    EXPECT_FALSE(LineInRect({0, 0}, {10, 0}, L));    // on the top edge
    EXPECT_FALSE(LineInRect({10, -5}, {10, 15}, L)); // on the right edge
    EXPECT_FALSE(LineInRect({-5, 30}, {30, -5}, L)); // passes outside the corner
    EXPECT_FALSE(LineInRect({2, 20}, {8, 30}, L));   // below, pointing away
    // Ends far apart must not overflow.
    EXPECT_TRUE(LineInRect({-2147483647, 5}, {2147483647, 5}, L));
}

TEST(Geometry, IntersectPoint) {
    TPoint S{-1, -1};
    EXPECT_TRUE(IntersectPoint({0, 0}, {10, 10}, {0, 10}, {10, 0}, S));
    EXPECT_EQ(S, (TPoint{5, 5}));
    EXPECT_TRUE(IntersectPoint({0, 0}, {4, 2}, {4, 2}, {9, -3}, S)); // common end
    EXPECT_EQ(S, (TPoint{4, 2}));

    S = {-1, -1};
    EXPECT_FALSE(IntersectPoint({0, 0}, {10, 0}, {5, 0}, {15, 0}, S));  // collinear overlap
    EXPECT_FALSE(IntersectPoint({0, 0}, {10, 0}, {0, 1}, {10, 1}, S));  // parallel
    EXPECT_FALSE(IntersectPoint({3, 3}, {3, 3}, {0, 0}, {9, 9}, S));    // degenerate
    EXPECT_FALSE(IntersectPoint({0, 0}, {4, 4}, {6, 0}, {10, -4}, S));  // lines meet beyond ends
    EXPECT_EQ(S, (TPoint{-1, -1}));

    // Beyond +-23170 the 32-bit products would overflow.
    EXPECT_TRUE(IntersectPoint({-2000000000, -2000000000}, {2000000000, 2000000000},
                               {-2000000000, 2000000000}, {2000000000, -2000000000}, S));
    EXPECT_EQ(S, (TPoint{0, 0}));
}

TEST(Geometry, PtOnLineDistanceRules) {
    // Axis-parallel: a widened box, inclusive.
    EXPECT_TRUE(PtOnLine({15, 3}, {0, 0}, {12, 0}, 3));
    EXPECT_FALSE(PtOnLine({16, 0}, {0, 0}, {12, 0}, 3));
    EXPECT_TRUE(PtOnLine({1, 1}, {0, 0}, {0, 0}, 1)); // degenerate segment
    // Sloped, flat: vertical distance, exclusive, either end order.
    EXPECT_TRUE(PtOnLine({5, 6}, {0, 0}, {10, 5}, 5));
    EXPECT_FALSE(PtOnLine({5, 7}, {10, 5}, {0, 0}, 5)); // line rounds to y = 2: exactly 5 away
    EXPECT_TRUE(PtOnLine({20, 10}, {0, 0}, {10, 5}, 1)); // beyond the end on the line
    // Sloped, steep: horizontal distance.
    EXPECT_TRUE(PtOnLine({7, 10}, {0, 0}, {5, 10}, 3));
    EXPECT_FALSE(PtOnLine({8, 10}, {0, 0}, {5, 10}, 3));
}

TEST(PointBuffer, ExactSizeWithinTheLimit) {
    TPointBuffer b = NewPoly(MaxPointArray);
    EXPECT_EQ(b[MaxPointArray - 1], (TPoint{0, 0}));
    DeletePoly(b);
    EXPECT_EQ(b, nullptr);
    EXPECT_THROW(NewPoly(MaxPointArray + 1), EListError);
    EXPECT_THROW(NewPoly(-1), EListError);
}
