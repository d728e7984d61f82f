#include <gtest/gtest.h>

#include <numbers>
#include <vector>

#include "foundations/figure_log_canvas.h"
#include "velloran/foundations/rotated_drawing.h"
#include "velloran/foundations/rotation.h"

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

} // namespace
} // namespace vl
