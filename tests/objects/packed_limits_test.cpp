// Stored limits in ten bytes: what fits comes back exactly, what does not
// comes back empty, and the overlap test agrees with the unpacked box.

#include <gtest/gtest.h>

#include <random>

#include "velloran/objects/packed_limits.h"

using namespace vl;

namespace {

constexpr int32_t Reach = 1 << 23;
const TLimRec Empty{EmptyLimMin, EmptyLimMin, EmptyLimMax, EmptyLimMax};

TEST(PackedLimits, BoxesWithinReachComeBackExactlyTheRestEmpty) {
    for (const TLimRec& l : {TLimRec{0, 0, 0, 0}, TLimRec{-3, -7, 5, 2}, TLimRec{-Reach, -Reach, -Reach + 65534, -Reach},
                             TLimRec{Reach - 1, Reach - 1, Reach + 65533, Reach - 1}, TLimRec{-1, -1, -1, -1}})
        EXPECT_EQ(TPackedLimits(l).Get(), l);
    for (const TLimRec& l : {TLimRec{-Reach - 1, 0, 0, 0}, TLimRec{0, Reach, 0, Reach}, TLimRec{0, 0, 65535, 0},
                             TLimRec{0, 0, 0, 70000}, TLimRec{5, 0, 4, 0}, Empty})
        EXPECT_EQ(TPackedLimits(l).Get(), Empty);
}

TEST(PackedLimits, MeetsAgreesWithTheBox) {
    std::mt19937 rng(3);
    auto r = [&](int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(rng); };
    for (int i = 0; i < 20000; ++i) {
        const int32_t base = r(0, 1) ? 0 : r(-Reach, Reach - 200);
        const TLimRec l{base + r(-50, 50), base + r(-50, 50), 0, 0};
        const TLimRec box{l.Xmin, l.Ymin, l.Xmin + r(0, 40), l.Ymin + r(0, 40)};
        const TLimRec a{base + r(-80, 80), base + r(-80, 80), 0, 0};
        const TLimRec area{a.Xmin, a.Ymin, a.Xmin + r(-2, 30), a.Ymin + r(-2, 30)};
        const bool meets = box.Xmin <= area.Xmax && box.Xmax >= area.Xmin && box.Ymin <= area.Ymax && box.Ymax >= area.Ymin;
        ASSERT_EQ(TPackedLimits(box).Meets(area), meets) << i;
    }
    EXPECT_FALSE(TPackedLimits(Empty).Meets({-100, -100, 100, 100}));
}

} // namespace
