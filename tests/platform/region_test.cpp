#include <velloran/platform/region.h>

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

using namespace vl;

namespace {

using Pixels = std::set<std::pair<int, int>>;

Pixels FromScans(const TRegion& r) {
    Pixels px;
    for (const TRect& s : r.Scans())
        for (int y = s.Top; y < s.Bottom; ++y)
            for (int x = s.Left; x < s.Right; ++x) EXPECT_TRUE(px.insert({x, y}).second) << "overlap at " << x << "," << y;
    return px;
}

// Scans, PtInRegion and single-pixel RectInRegion must agree everywhere, and
// the scans must come as rows: rectangles of one band share top and bottom,
// ordered left to right, bands ordered top to bottom.
void ExpectConsistent(const TRegion& r) {
    const Pixels scanned = FromScans(r);
    const TRect b = r.Box();
    for (int y = b.Top - 2; y < b.Bottom + 2; ++y)
        for (int x = b.Left - 2; x < b.Right + 2; ++x) {
            const bool in = r.PtInRegion({x, y});
            EXPECT_EQ(in, scanned.count({x, y}) == 1) << x << "," << y;
            EXPECT_EQ(in, r.RectInRegion({x, y, x + 1, y + 1})) << x << "," << y;
        }
    const auto scans = r.Scans();
    for (size_t i = 1; i < scans.size(); ++i) {
        const TRect &p = scans[i - 1], &c = scans[i];
        if (c.Top == p.Top) {
            EXPECT_EQ(c.Bottom, p.Bottom);
            EXPECT_LT(p.Right, c.Left); // touching runs would be one rectangle
        } else {
            EXPECT_GE(c.Top, p.Bottom);
        }
    }
}

} // namespace

TEST(Region, RectHoldsLeftTopButNotRightBottom) {
    const TRegion r = TRegion::CreateRect({10, 8, 2, 4}); // given unnormalised
    EXPECT_TRUE(r.PtInRegion({2, 4}));
    EXPECT_FALSE(r.PtInRegion({10, 5}));
    EXPECT_FALSE(r.PtInRegion({5, 8}));
    EXPECT_EQ(r.Scans(), (std::vector<TRect>{{2, 4, 10, 8}}));
    EXPECT_FALSE(r.RectInRegion({10, 0, 20, 20})); // touches the right edge only
    EXPECT_TRUE(r.RectInRegion({20, 20, 9, 7}));   // unnormalised query
    EXPECT_TRUE(TRegion::CreateRect({3, 3, 3, 9}).Empty());
    EXPECT_TRUE(TRegion().Scans().empty());
}

TEST(Region, EllipseByPixelCentres) {
    const TRegion e = TRegion::CreateEllipse({0, 0, 4, 4});
    EXPECT_EQ(e.Scans(), (std::vector<TRect>{{1, 0, 3, 1}, {0, 1, 4, 3}, {1, 3, 3, 4}}));
    EXPECT_FALSE(e.RectInRegion({0, 0, 1, 1})); // in the box, outside the shape
    EXPECT_TRUE(e.RectInRegion({0, 0, 2, 1}));
    ExpectConsistent(e);
    ExpectConsistent(TRegion::CreateEllipse({-7, 3, 30, 14}));
    ExpectConsistent(TRegion::CreateEllipse({0, 0, 1, 9}));
}

TEST(Region, RoundRectCutsItsCorners) {
    const TRegion r = TRegion::CreateRoundRect({0, 0, 10, 10}, 4, 4);
    EXPECT_EQ(r.Scans(), (std::vector<TRect>{{1, 0, 9, 1}, {0, 1, 10, 9}, {1, 9, 9, 10}}));
    ExpectConsistent(r);
    ExpectConsistent(TRegion::CreateRoundRect({5, 5, 40, 22}, 13, 30)); // corner larger than box height
    EXPECT_EQ(TRegion::CreateRoundRect({0, 0, 6, 6}, 0, 0).Scans(), (std::vector<TRect>{{0, 0, 6, 6}}));
}

TEST(Region, PolygonFillModes) {
    // A triangle holds the pixels whose centres lie strictly left of its slope.
    const TPoint tri[] = {{0, 0}, {10, 0}, {0, 10}};
    const TRegion t = TRegion::CreatePolygon(tri, TPolyFillMode::ALTERNATE);
    EXPECT_TRUE(t.PtInRegion({8, 0}));
    EXPECT_FALSE(t.PtInRegion({9, 0}));
    EXPECT_TRUE(t.PtInRegion({0, 8}));
    EXPECT_FALSE(t.PtInRegion({0, 9}));
    ExpectConsistent(t);

    // A pentagram: the middle is filled only with winding fill.
    const TPoint star[] = {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
    const TRegion alt = TRegion::CreatePolygon(star, TPolyFillMode::ALTERNATE);
    const TRegion wind = TRegion::CreatePolygon(star, TPolyFillMode::WINDING);
    EXPECT_FALSE(alt.PtInRegion({50, 50}));
    EXPECT_TRUE(wind.PtInRegion({50, 50}));
    EXPECT_TRUE(alt.PtInRegion({50, 10}));
    EXPECT_FALSE(alt.RectInRegion({45, 45, 55, 55}));
    EXPECT_TRUE(wind.RectInRegion({45, 45, 55, 55}));
    ExpectConsistent(alt);
    ExpectConsistent(wind);

    const TPoint two[] = {{0, 0}, {10, 10}};
    EXPECT_TRUE(TRegion::CreatePolygon(two, TPolyFillMode::WINDING).Empty());
}

TEST(Region, OffsetMovesEveryPixel) {
    const TPoint tri[] = {{0, 0}, {10, 0}, {0, 10}};
    TRegion t = TRegion::CreatePolygon(tri, TPolyFillMode::ALTERNATE);
    t.Offset(-3, 5);
    EXPECT_EQ(t.Scans().front(), (TRect{-3, 5, 6, 6}));
    EXPECT_TRUE(t.PtInRegion({5, 5}));
    EXPECT_FALSE(t.PtInRegion({6, 5}));
}
