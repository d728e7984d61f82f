#include "scroll_fixture.h"

#include <velloran/platform/canvas.h>

using namespace vl;
using namespace vltest;

namespace {

using ScrollPaintLog = ScrollFixture;

TEST_F(ScrollPaintLog, PaintBindsTheCanvasOnlyWhilePainting) {
    EXPECT_FALSE(box.Painting());
    host.InvalidateAll();
    ASSERT_TRUE(host.Paint());
    EXPECT_EQ(box.During, &host.Canvas());
    EXPECT_FALSE(box.Painting());
}

TEST_F(ScrollPaintLog, NonScrollAreasConvertThroughTheCanvasMapping) {
    EXPECT_EQ(box.GetNonScrollH_Log(), TRect{});
    TCanvas& c = host.Canvas();
    c.SetMapMode(TMapMode::mmAnisotropic);
    c.SetWindowExt({10, 10});
    c.SetViewportExt({1, -1}); // ten logical units a pixel, y up
    c.SetViewportOrg({0, 300});
    box.SetNonScrollV_Log({0, 0, 4000, 200}); // the bottom 20 pixels, stored top down
    EXPECT_EQ(*box.NonScrollV(), (TRect{0, 280, 400, 300}));
    EXPECT_EQ(box.GetNonScrollV_Log(), (TRect{0, 200, 4000, 0}));
    box.ScrollBy(0, 8);
    EXPECT_EQ(LastScroll().Rect, (TRect{0, 0, 400, 280}));
}

} // namespace
