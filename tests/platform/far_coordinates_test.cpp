// Coordinates at the 32-bit limits, as any stored picture or position may
// hold them: conversions saturate instead of wrapping.

#include <gtest/gtest.h>

#include "support/emf_image.h"
#include "velloran/platform/detail/emf_bytes.h"
#include "velloran/platform/mapping.h"
#include "velloran/platform/metafile.h"

using namespace vl;

namespace {

constexpr int32_t Lo = INT32_MIN, Hi = INT32_MAX;

TEST(FarCoordinates, MappingSaturatesAndKeepsOrdinaryValues) {
    TMapping plain;
    plain.WindowOrg = {Lo, -5};
    plain.ViewportOrg = {Hi, 3};
    EXPECT_EQ(plain.LPtoDP(TPoint{Hi, 7}), (TPoint{Hi, 15}));
    EXPECT_EQ(plain.DPtoLP(TPoint{Lo, 3}), (TPoint{Lo, -5}));
    plain.WindowOrg = {Hi, 0};
    plain.ViewportOrg = {Lo, 0};
    EXPECT_EQ(plain.LPtoDP(TPoint{Lo, 0}), (TPoint{Lo, 0}));
    EXPECT_EQ(plain.DPtoLP(TPoint{Hi, 0}), (TPoint{Hi, 0}));

    TMapping aniso;
    aniso.Mode = TMapMode::mmAnisotropic;
    aniso.WindowOrg = {Lo, Lo};
    aniso.WindowExt = {1, -1};
    aniso.ViewportOrg = {Hi, Hi};
    aniso.ViewportExt = {Hi, Hi};
    EXPECT_EQ(aniso.LPtoDP(TPoint{Hi, Hi}), (TPoint{Hi, Lo}));
    EXPECT_EQ(aniso.DPtoLP(TPoint{Lo, Lo}), (TPoint{Lo, Lo + 2}));
    // Near the origins nothing changes: the origin is added after rounding.
    aniso = {TMapMode::mmAnisotropic, {1, 0}, {2, 2}, {1, 0}, {1, 1}};
    EXPECT_EQ(aniso.LPtoDP(TPoint{2, 0}), (TPoint{1, 0})); // 1 + Round(0.5)
    EXPECT_EQ(aniso.LPtoDP(TPoint{4, 0}), (TPoint{3, 0})); // 1 + Round(1.5)
}

TEST(FarCoordinates, FrameOfBoundsAtTheLimits) {
    const TSize px{1920, 1080}, um{508000, 285750};
    const TRect f = EmfFrameOfBounds({Lo, Lo, Lo, Lo}, px, um);
    EXPECT_EQ(f.Right, Lo);
    EXPECT_EQ(EmfFrameOfBounds({0, 0, Hi, Hi}, px, um).Right, Hi - 1);
    EXPECT_EQ(EmfFrameOfBounds({0, 0, 95, 47}, {96, 96}, {25400, 25400}),
              (TRect{0, 0, 2539, 1269}));
}

TEST(FarCoordinates, MetafileSizedFromFarBounds) {
    TMetafile mf;
    mf.SetData(test::EmfImage({Hi - 10, Hi, Hi - 10, Hi}, {}, 0)); // nothing drawn
    mf.SetWidth(100);
    mf.SetHeight(100);
    EXPECT_EQ(bytes::I32(mf.Data(), 16), Hi);
    EXPECT_EQ(bytes::I32(mf.Data(), 20), Hi);
    EXPECT_EQ(mf.Width(), 11);
    EXPECT_EQ(mf.Height(), 1);
    mf.SetData(test::EmfImage({Lo, Lo, Lo, Lo}, {}, 0));
    mf.SetWidth(0);
    EXPECT_EQ(bytes::I32(mf.Data(), 16), Lo);
}

} // namespace
