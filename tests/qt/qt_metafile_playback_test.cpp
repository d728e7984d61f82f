// A recorded drawing played onto the Qt canvas paints the pixels that
// drawing directly paints.

#include "qt_canvas_fixture.h"

#include "velloran/platform/metafile_canvas.h"

using namespace vl;

namespace {
void Scene(TCanvas& c) {
    c.SetMapMode(TMapMode::mmAnisotropic);
    c.SetWindowExt({2, 2});
    c.SetViewportExt({3, 3});
    c.Pen().Width = 0;
    c.Brush().Color = clYellow;
    c.Rectangle({4, 6, 40, 30});
    c.Pen().Color = clBlue;
    c.Brush().Style = TBrushStyle::bsClear;
    c.Ellipse({30, 20, 70, 60});
    const TPoint tri[] = {{10, 40}, {35, 62}, {5, 62}};
    c.Brush() = TBrush{clRed, TBrushStyle::bsSolid};
    c.Polygon(tri);
    c.MoveTo(50, 2);
    c.LineTo(75, 10);
    c.Pen().Width = 2;
    c.Pie({52, 30, 78, 56}, {78, 43}, {65, 30});
    c.RoundRect({2, 2, 30, 20}, 8, 6);
    c.IntersectClipRect({0, 0, 60, 66});
    c.Brush().Style = TBrushStyle::bsDiagCross;
    c.FillRect({45, 0, 80, 30});
    c.Font().Height = -14;
    c.Font().Escapement = 300;
    c.TextOut(42, 40, u"Velloran");
}
} // namespace

TEST_F(QtCanvasFixture, MetafilePlaybackPaintsWhatDirectDrawingPaints) {
    Scene(*Canvas);
    const QImage direct = Image.copy();
    ASSERT_GT(Count(0xFFFFFF00), 500);

    TMetafile mf;
    mf.SetWidth(120);
    mf.SetHeight(100);
    {
        TMetafileCanvas rec(mf);
        Scene(rec);
    }
    Reset();
    Canvas->StretchDraw({0, 0, 120, 100}, mf);
    EXPECT_EQ(Image, direct);
    EXPECT_EQ(Canvas->Mapping(), TMapping{}) << "playback leaves the canvas as it was";
}
