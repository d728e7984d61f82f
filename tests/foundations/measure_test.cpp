#include <velloran/foundations/measure.h>

#include <gtest/gtest.h>

using namespace vl;

TEST(Measure, LgIsExactForPowersOfTenAndZeroWhereUndefined) {
    EXPECT_EQ(lg(100), 2);
    EXPECT_EQ(lg(1000), 3); // callers truncate: 2.999... would be a wrong decade
    EXPECT_EQ(lg(0), 0);
    EXPECT_EQ(lg(-1), 0);
    EXPECT_EQ(96 * InchPerMeter(), 3750);
}
