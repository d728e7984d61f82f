#include <gtest/gtest.h>

#include <numbers>
#include <vector>

#include "foundations/figure_log_canvas.h"
#include "velloran/foundations/rotated_drawing.h"
#include "velloran/foundations/rotation.h"
#include "velloran/platform/graphics.h"
#include "velloran/platform/metafile_canvas.h"

namespace vl {
namespace {

constexpr double pi = std::numbers::pi;
using test::TFigure;
using test::TFigureLogCanvas;

std::vector<TPoint> Points(const TPointList& list) {
    std::vector<TPoint> pts;
    for (int32_t i = 0; i < list.Count(); ++i) pts.push_back(list.GetPoints(i));
    return pts;
}

TEST(RotatedDrawing, FiguresDrawTheirOutlines) {
    TFigureLogCanvas dc;
    const TRect r{0, 0, 100, 60};
    Rotated_Rectangle(dc, r, {5, 5}, 0.3);
    Rotated_RoundRect(dc, r, 20, 10, {5, 5}, 0.3);
    Rotated_Ellipse(dc, r, {5, 5}, 0.3);
    Rotated_Arc(dc, r, {100, 30}, {50, 0}, {5, 5}, 0.3);
    Rotated_Chord(dc, r, {100, 30}, {50, 0}, {5, 5}, 0.3);
    Rotated_Pie(dc, r, {100, 30}, {50, 0}, {5, 5}, 0.3);
    ASSERT_EQ(dc.Log.size(), 6u);
    EXPECT_EQ(dc.Log[0].Kind, "Polygon");
    EXPECT_EQ(dc.Log[0].Points, Points(*RotatedPnts_Rectangle(r, {5, 5}, 0.3)));
    EXPECT_EQ(dc.Log[1].Points, Points(*RotatedPnts_RoundRect(r, 20, 10, {5, 5}, 0.3)));
    EXPECT_EQ(dc.Log[2].Points, Points(*RotatedPnts_Ellipse(r, {5, 5}, 0.3)));
    EXPECT_EQ(dc.Log[3].Kind, "Polyline"); // an arc stays open
    EXPECT_EQ(dc.Log[3].Points, Points(*RotatedPnts_Arc(r, {100, 30}, {50, 0}, {5, 5}, 0.3)));
    EXPECT_EQ(dc.Log[4].Kind, "Polygon");
    EXPECT_EQ(dc.Log[4].Points, dc.Log[3].Points);
    EXPECT_EQ(dc.Log[5].Kind, "Polygon");
    EXPECT_EQ(dc.Log[5].Points, Points(*RotatedPnts_Pie(r, {100, 30}, {50, 0}, {5, 5}, 0.3)));
}

TEST(RotatedDrawing, SquareEllipseIsATrueCircleAboutTheTurnedCentre) {
    TFigureLogCanvas dc;
    // Centre (15, 5) turns about the origin to (-5, 15).
    Rotated_Ellipse(dc, {10, 0, 20, 10}, {0, 0}, pi / 2);
    ASSERT_EQ(dc.Log.size(), 1u);
    EXPECT_EQ(dc.Log[0].Kind, "Ellipse");
    EXPECT_EQ(dc.Log[0].Points, (std::vector<TPoint>{{-10, 10}, {0, 20}}));

    // An unnormalised square box is a circle as well.
    dc.Log.clear();
    Rotated_Ellipse(dc, {20, 10, 10, 0}, {0, 0}, 0);
    ASSERT_EQ(dc.Log.size(), 1u);
    EXPECT_EQ(dc.Log[0].Points, (std::vector<TPoint>{{10, 0}, {20, 10}}));

    // Odd diameters keep their size; the box starts d div 2 before the centre.
    dc.Log.clear();
    Rotated_Circle(dc, {10, 10}, 5, {0, 0}, 0);
    EXPECT_EQ(dc.Log[0].Points, (std::vector<TPoint>{{8, 8}, {13, 13}}));
}

TEST(RotatedDrawing, TextUsesAnEscapedFontAndRestoresTheCanvasFont) {
    TFigureLogCanvas dc;
    TFont before;
    before.Name = u"Courier New";
    dc.SetFont(before);

    TFont f;
    f.Name = u"Times New Roman";
    f.Height = -20;
    f.Style = fsBold | fsUnderline;
    f.Color = clRed;
    Rotated_TextOut(dc, u"Hi", f, {10, 0}, {0, 0}, pi / 2);

    ASSERT_EQ(dc.Log.size(), 1u);
    const TFigure& t = dc.Log[0];
    EXPECT_EQ(t.Points, (std::vector<TPoint>{{0, 10}})); // P turned with the text
    EXPECT_EQ(t.Text, u"Hi");
    EXPECT_EQ(t.Font.Orientation, -900); // clockwise on a y-down device
    EXPECT_EQ(t.Font.Name, u"Times New Roman");
    EXPECT_EQ(t.Font.Height, -20);
    EXPECT_EQ(t.Font.Style, fsBold | fsUnderline);
    EXPECT_EQ(t.Font.Color, clRed);
    EXPECT_EQ(dc.Font(), before);
}

TEST(RotatedDrawing, LogFontOfRotatedText) {
    TFont f;
    f.Name = u"dEfAuLt";
    f.Pitch = TFontPitch::fpFixed;
    f.Style = fsItalic | fsStrikeOut;
    f.Charset = 238;
    TLogFont lf = RotatedLogFont(f, -pi / 4);
    EXPECT_EQ(lf.lfEscapement, 450);
    EXPECT_EQ(lf.lfOrientation, 0);
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_EQ(lf.lfStrikeOut, 1);
    EXPECT_EQ(lf.lfUnderline, 0);
    EXPECT_EQ(lf.lfCharSet, 238);
    EXPECT_EQ(lf.lfPitchAndFamily, 1);
    EXPECT_EQ(lf.lfFaceName, PlatformDefaultFontName);

    const String saved = PlatformDefaultFontName;
    PlatformDefaultFontName = u"Liberation Sans";
    EXPECT_EQ(RotatedLogFont(f, 0).lfFaceName, u"Liberation Sans");
    PlatformDefaultFontName = saved;

    f.Name = u"Defaults";
    f.Pitch = TFontPitch::fpVariable;
    lf = RotatedLogFont(f, 0);
    EXPECT_EQ(lf.lfFaceName, u"Defaults");
    EXPECT_EQ(lf.lfPitchAndFamily, 2);
}

// Source pixel (x, y) has colour RGB(x, y, 7), so each pixel tells where it came from.
TBitmap Numbered(int32_t w, int32_t h) {
    TBitmap b(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) b.SetPixel(x, y, RGB(uint8_t(x), uint8_t(y), 7));
    return b;
}

TEST(RotatedBitmap, QuarterTurnKeepsEverySourcePixel) {
    const TBitmap src = Numbered(10, 20);
    TPoint offset;
    auto turned = CreateRotatedBitmap(src, {0, 0}, pi / 2, offset);
    ASSERT_TRUE(turned);
    EXPECT_EQ(turned->Width(), 20);
    EXPECT_EQ(turned->Height(), 10);
    EXPECT_EQ(offset, (TPoint{-20, 0}));
    // Turning clockwise on the screen: the source's left column becomes the top row.
    for (int32_t ty = 0; ty < 10; ++ty)
        for (int32_t tx = 0; tx < 20; ++tx)
            ASSERT_EQ(turned->Pixel(tx, ty), RGB(uint8_t(ty), uint8_t(19 - tx), 7)) << tx << "," << ty;

    // No turn is an exact copy.
    turned = CreateRotatedBitmap(src, {0, 0}, 0, offset);
    EXPECT_EQ(offset, (TPoint{0, 0}));
    EXPECT_EQ(turned->Pixels(), src.Pixels());
}

TEST(RotatedBitmap, PivotInsideThePictureAndOtherGraphics) {
    // A half turn about the bottom right corner puts the box where the
    // picture was, mirrored in both directions.
    const TBitmap src = Numbered(10, 20);
    TPoint offset{99, 99};
    auto turned = CreateRotatedBitmap(src, {10, 20}, pi, offset);
    ASSERT_TRUE(turned);
    EXPECT_EQ(offset, (TPoint{0, 0}));
    ASSERT_EQ(turned->Width(), 10);
    ASSERT_EQ(turned->Height(), 20);
    EXPECT_EQ(turned->Pixel(0, 0), RGB(9, 19, 7));
    EXPECT_EQ(turned->Pixel(9, 19), RGB(0, 0, 7));

    // A turn that is not a quarter leaves corners outside the picture white.
    turned = CreateRotatedBitmap(src, {0, 0}, pi / 4, offset);
    EXPECT_EQ(turned->Pixel(0, 0), clWhite);

    EXPECT_EQ(CreateRotatedBitmap(TIcon(), {0, 0}, 1.0, offset), nullptr);
}

TEST(RotatedMetafile, FiguresAndLinesTurnAboutThePivot) {
    TMetafile mf;
    mf.SetWidth(100);
    mf.SetHeight(50);
    {
        TMetafileCanvas c(mf);
        c.Rectangle({10, 10, 30, 20});
        const TPoint line[] = {{10, 10}, {20, 10}};
        c.Polyline(line);
        c.MoveTo(10, 10);
        c.LineTo(10, 0);
        c.Ellipse({20, 0, 40, 20});
    }
    TFigureLogCanvas dc;
    Rotated_Metafile(dc, mf, {10, 10}, pi / 2);
    ASSERT_EQ(dc.Log.size(), 5u);
    EXPECT_EQ(dc.Log[0].Kind, "Polygon");
    EXPECT_EQ(dc.Log[0].Points, (std::vector<TPoint>{{10, 10}, {10, 30}, {0, 30}, {0, 10}}));
    EXPECT_EQ(dc.Log[1].Kind, "Polyline");
    EXPECT_EQ(dc.Log[1].Points, (std::vector<TPoint>{{10, 10}, {10, 20}}));
    EXPECT_EQ(dc.Log[3].Kind, "LineTo");
    EXPECT_EQ(dc.Log[3].Points, (std::vector<TPoint>{{20, 10}}));
    EXPECT_EQ(dc.Log[4].Kind, "Ellipse"); // a circle stays a circle
    EXPECT_EQ(dc.Log[4].Points, (std::vector<TPoint>{{0, 20}, {20, 40}}));
}

TEST(RotatedMetafile, PivotIsRelativeToThePicturesCorner) {
    // Without a fixed size the picture's bounds begin where its drawing does.
    TMetafile mf;
    {
        TMetafileCanvas c(mf);
        c.Pen().Style = TPenStyle::psClear;
        c.Rectangle({10, 10, 30, 20});
    }
    TFigureLogCanvas dc;
    Rotated_Metafile(dc, mf, {0, 0}, pi / 2);
    ASSERT_EQ(dc.Log.size(), 1u);
    EXPECT_EQ(dc.Log[0].Points.front(), (TPoint{0, 0}));
    EXPECT_EQ(dc.Log[0].Points[2], (TPoint{-mf.Height(), mf.Width()}));
}

TEST(RotatedMetafile, TextTurnsWithItsFont) {
    TMetafile mf;
    mf.SetWidth(100);
    mf.SetHeight(50);
    {
        TMetafileCanvas c(mf);
        c.Font().Name = u"ms sans serif";
        c.Font().Orientation = 100;
        c.TextOut(20, 10, u"A");
    }
    TFigureLogCanvas dc;
    Rotated_Metafile(dc, mf, {0, 0}, pi / 2);
    ASSERT_EQ(dc.Log.size(), 1u);
    EXPECT_EQ(dc.Log[0].Points, (std::vector<TPoint>{{-10, 20}}));
    EXPECT_EQ(dc.Log[0].Font.Orientation, 100 - 900);
    EXPECT_EQ(dc.Log[0].Font.Name, u"ARIAL");
}

} // namespace
} // namespace vl
