// Regions as clip areas, and the clip through SaveDC/RestoreDC.

#include "qt_canvas_fixture.h"

#include "velloran/platform/region.h"

using namespace vl;

class QtCanvasClip : public QtCanvasFixture {
protected:
    // Floods the surface and expects exactly the region's pixels painted.
    void ExpectFloodFills(const TRegion& rgn, bool notXor = false) {
        Canvas->Brush() = TBrush{clBlack, TBrushStyle::bsSolid};
        Canvas->Pen().Mode = notXor ? TPenMode::pmNotXor : TPenMode::pmCopy;
        if (notXor) // raster operations clip on their own
            Canvas->Rectangle({-1000, -1000, 1000, 1000});
        else
            Canvas->FillRect({-1000, -1000, 1000, 1000});
        int wrong = 0;
        for (int y = 0; y < Image.height(); ++y)
            for (int x = 0; x < Image.width(); ++x) wrong += (At(x, y) == 0xFF000000u) != rgn.PtInRegion({x, y});
        EXPECT_EQ(wrong, 0);
    }
};

TEST_F(QtCanvasClip, EllipseAndPolygonRegionsClipExactly) {
    const TRegion ellipse = TRegion::CreateEllipse({10, 7, 97, 80});
    Canvas->SelectClipRgn(&ellipse);
    ExpectFloodFills(ellipse, true);

    // Alternate fill leaves the star's centre out.
    const TPoint star[] = {{60, 5}, {75, 90}, {10, 30}, {110, 30}, {45, 90}};
    const TRegion polygon = TRegion::CreatePolygon(star, TPolyFillMode::ALTERNATE);
    Reset();
    Canvas->SelectClipRgn(&polygon);
    ExpectFloodFills(polygon);
    EXPECT_EQ(At(60, 45), 0xFFFFFFFFu);
}

TEST_F(QtCanvasClip, SaveAndRestoreBringBackTheClip) {
    // The region is in device pixels, the clip box logical (scale 2).
    Canvas->SetMapMode(TMapMode::mmAnisotropic);
    Canvas->SetViewportExt({2, 2});
    const TRegion ellipse = TRegion::CreateEllipse({20, 20, 100, 90});
    Canvas->SelectClipRgn(&ellipse);
    const int32_t level = Canvas->SaveDC();
    Canvas->IntersectClipRect({0, 0, 30, 100});
    EXPECT_EQ(Canvas->GetClipBox(), (TRect{10, 10, 30, 45}));
    Canvas->RestoreDC(level);
    EXPECT_EQ(Canvas->GetClipBox(), (TRect{10, 10, 50, 45}));
    Canvas->RestoreDC(5); // no such level: nothing changes
    ExpectFloodFills(ellipse);
}
