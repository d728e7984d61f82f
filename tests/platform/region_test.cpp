#include <gtest/gtest.h>

#include "velloran/platform/region.h"

using namespace vl;

namespace {
int64_t Area(const std::vector<TRect>& rects) {
    int64_t a = 0;
    for (const auto& r : rects)
        a += static_cast<int64_t>(r.Width()) * r.Height();
    return a;
}
} // namespace

TEST(Region, ScansCoverExactlyThePixelsInside) {
    const std::vector<TPoint> star = {{25, 0}, {40, 45}, {1, 17}, {49, 17}, {10, 45}};
    const std::vector<TPoint> notch = {{0, 0},   {30, 0},  {30, 30}, {20, 30},
                                       {20, 10}, {10, 10}, {10, 30}, {0, 30}};
    for (const TRegion& rgn :
         {TRegion::CreateEllipse({3, 2, 40, 25}), TRegion::CreateRoundRect({0, 0, 30, 20}, 12, 8),
          TRegion::CreateRect({5, 5, -5, 0}),
          TRegion::CreatePolygon(star, TPolyFillMode::ALTERNATE),
          TRegion::CreatePolygon(star, TPolyFillMode::WINDING),
          TRegion::CreatePolygon(notch, TPolyFillMode::ALTERNATE)}) {
        const auto scans = rgn.Scans();
        int64_t inside = 0;
        for (int32_t y = -10; y < 60; ++y)
            for (int32_t x = -10; x < 60; ++x) {
                const bool in = rgn.PtInRegion({x, y});
                inside += in;
                const bool covered = std::any_of(scans.begin(), scans.end(), [&](const TRect& r) {
                    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
                });
                ASSERT_EQ(in, covered) << x << "," << y;
            }
        EXPECT_EQ(Area(scans), inside); // disjoint
    }
}

TEST(Region, LargeAxisParallelPolygonsScanInBands) {
    // A frame with a hole, reached by a path walked there and back.
    const int32_t B = 1000000000;
    const std::vector<TPoint> frame = {{-B, -B}, {B, -B},   {B, B},     {-B, B},
                                       {-B, -B}, {-10, -B}, {-10, -10}, {-10, 10},
                                       {10, 10}, {10, -10}, {-10, -10}, {-10, -B}};
    const auto scans = TRegion::CreatePolygon(frame, TPolyFillMode::ALTERNATE).Scans();
    ASSERT_EQ(scans.size(), 4u); // above, beside left and right, below the hole
    EXPECT_EQ(scans[1], (TRect{-B, -10, -10, 10}));
    EXPECT_EQ(scans[2], (TRect{10, -10, B, 10}));
}

TEST(Region, PolygonFillModes) {
    // A pentagram: its centre is inside only when winding.
    const std::vector<TPoint> star = {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
    const auto alt = TRegion::CreatePolygon(star, TPolyFillMode::ALTERNATE);
    const auto wind = TRegion::CreatePolygon(star, TPolyFillMode::WINDING);
    EXPECT_FALSE(alt.PtInRegion({50, 50}));
    EXPECT_TRUE(wind.PtInRegion({50, 50}));
    EXPECT_TRUE(alt.PtInRegion({50, 10}));
    EXPECT_EQ(alt.Box(), (TRect{2, 0, 98, 90}));
    EXPECT_TRUE(
        TRegion::CreatePolygon(std::vector<TPoint>{{0, 0}, {5, 5}}, TPolyFillMode::ALTERNATE)
            .Empty());
}

TEST(Region, RectInRegionAndOffset) {
    auto e = TRegion::CreateEllipse({0, 0, 100, 100});
    EXPECT_FALSE(e.RectInRegion({0, 0, 10, 10})); // the corner lies outside the circle
    EXPECT_TRUE(e.RectInRegion({40, 40, 45, 45}));
    EXPECT_FALSE(
        TRegion::CreateRect({0, 0, 10, 10}).RectInRegion({10, 0, 20, 10})); // right edge excluded
    e.Offset(100, 0);
    EXPECT_TRUE(e.PtInRegion({150, 50}));
    EXPECT_FALSE(e.PtInRegion({50, 50}));
}
