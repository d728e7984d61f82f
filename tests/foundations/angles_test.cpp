#include <velloran/foundations/angles.h>

#include <gtest/gtest.h>

#include <numbers>

using namespace vl;
using std::numbers::pi;

TEST(Angles, GetAngleBranches) {
    EXPECT_DOUBLE_EQ(GetAngle(0, 0), -pi / 2);
    EXPECT_DOUBLE_EQ(GetAngle(-1, 0), pi);
    EXPECT_DOUBLE_EQ(GetAngle(-1, -1), pi + pi / 4);
    EXPECT_DOUBLE_EQ(GetAngle(0.005, 0.0), -pi / 2);
    EXPECT_DOUBLE_EQ(GetAngle(-0.009, 2.0), pi / 2);
}

TEST(Angles, CalculateAngleHasNoQuadrantCorrection) {
    EXPECT_DOUBLE_EQ(CalculateAngle({4, 4}, {4, 4}), 0);
    EXPECT_DOUBLE_EQ(CalculateAngle({0, 0}, {-2, 0}), pi);
    EXPECT_DOUBLE_EQ(CalculateAngle({0, 0}, {0, -5}), 4.71238898038469);
    EXPECT_DOUBLE_EQ(CalculateAngle({0, 0}, {-3, -3}), pi / 4);
}

TEST(Angles, RotationUsesTheOldPoint) {
    TPoint p{10, 0};
    RotatePnt(p, {0, 0}, pi / 2);
    EXPECT_EQ(p, (TPoint{0, 10}));
    TPoint pts[] = {{5, 3}, {3, 7}};
    RotatePoints(pts, {2, 3}, pi / 2);
    EXPECT_EQ(pts[0], (TPoint{2, 6}));
    EXPECT_EQ(pts[1], (TPoint{-2, 4}));
}
