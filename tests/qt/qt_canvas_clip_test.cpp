// Regions as clip areas, region fills and frames, and the clip through
// SaveDC/RestoreDC.

#include "qt_canvas_fixture.h"

#include "velloran/platform/region.h"

using namespace vl;

class QtCanvasClip : public QtCanvasFixture {
protected:
    void Flood() {
        Canvas->Brush() = TBrush{clBlack, TBrushStyle::bsSolid};
        Canvas->FillRect({-1000, -1000, 1000, 1000});
    }
    // The painted pixels are exactly the region's pixels.
    void ExpectPaintedIs(const TRegion& rgn) {
        int wrong = 0;
        for (int y = 0; y < Image.height(); ++y)
            for (int x = 0; x < Image.width(); ++x)
                wrong += (At(x, y) == 0xFF000000u) != rgn.PtInRegion({x, y});
        EXPECT_EQ(wrong, 0);
    }
};

TEST_F(QtCanvasClip, EllipseAndPolygonRegionsClipExactly) {
    const TRegion ellipse = TRegion::CreateEllipse({10, 7, 97, 80});
    Canvas->SelectClipRgn(&ellipse);
    Flood();
    ExpectPaintedIs(ellipse);

    // Alternate fill leaves the star's centre out.
    const TPoint star[] = {{60, 5}, {75, 90}, {10, 30}, {110, 30}, {45, 90}};
    const TRegion polygon = TRegion::CreatePolygon(star, TPolyFillMode::ALTERNATE);
    Reset(120, 100);
    Canvas->SelectClipRgn(&polygon);
    Flood();
    ExpectPaintedIs(polygon);
    EXPECT_EQ(At(60, 45), 0xFFFFFFFFu);

    Canvas->SelectClipRgn(nullptr);
    Flood();
    EXPECT_EQ(Count(0xFF000000), 120 * 100);
}

TEST_F(QtCanvasClip, ClipIsInDevicePixelsWhileFiguresAreLogical) {
    Canvas->SetMapMode(TMapMode::mmAnisotropic);
    Canvas->SetViewportExt({2, 2});
    const TRegion rect = TRegion::CreateRect({20, 20, 40, 40});
    Canvas->SelectClipRgn(&rect);
    Flood();
    ExpectPaintedIs(rect);
    EXPECT_EQ(Canvas->GetClipBox(), (TRect{10, 10, 20, 20}));
}

TEST_F(QtCanvasClip, SaveAndRestoreBringBackTheClip) {
    const TRegion ellipse = TRegion::CreateEllipse({10, 10, 90, 90});
    Canvas->SelectClipRgn(&ellipse);
    const int32_t level = Canvas->SaveDC();
    Canvas->IntersectClipRect({0, 0, 50, 100});
    Canvas->Pen().Color = clRed;
    EXPECT_EQ(Canvas->GetClipBox(), (TRect{10, 10, 50, 90}));
    Canvas->RestoreDC(level);
    EXPECT_EQ(Canvas->Pen().Color, clBlack);
    EXPECT_EQ(Canvas->GetClipBox(), (TRect{10, 10, 90, 90}));
    Flood();
    ExpectPaintedIs(ellipse);

    // Unclipped, the box is the whole surface; a bad level changes nothing.
    Canvas->SelectClipRgn(nullptr);
    Canvas->RestoreDC(5);
    EXPECT_EQ(Canvas->GetClipBox(), (TRect{0, 0, 120, 100}));
}

TEST_F(QtCanvasClip, FillAndFrameRegion) {
    const TRegion rect = TRegion::CreateRect({10, 10, 40, 30});
    Canvas->FillRgn(rect, TBrush{clBlue, TBrushStyle::bsSolid});
    EXPECT_EQ(Count(0xFF0000FF), 30 * 20);

    Reset(120, 100);
    Canvas->FrameRgn(rect, TBrush{clBlack, TBrushStyle::bsSolid}, 3, 2);
    // Three pixels on the sides, two on top and bottom.
    EXPECT_EQ(Count(0xFF000000), 30 * 20 - 24 * 16);
    EXPECT_EQ(At(12, 20), 0xFF000000u);
    EXPECT_EQ(At(13, 20), 0xFFFFFFFFu);
    EXPECT_EQ(At(20, 11), 0xFF000000u);
    EXPECT_EQ(At(20, 12), 0xFFFFFFFFu);
}
