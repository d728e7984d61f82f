// Fonts: faces resolve to metric-compatible ones, heights follow the sign
// convention, and rotated text turns about its reference point.

#include "qt_canvas_fixture.h"

#include <QFontDatabase>
#include <QFontInfo>

#include <velloran-qt/qt_font.h>

using namespace vl;

namespace {
bool Inked(QRgb p) { return qRed(p) < 128; }
} // namespace

class QtCanvasText : public QtCanvasFixture {};

TEST_F(QtCanvasText, ArialResolvesToAMetricCompatibleFace) {
    Canvas->Font().Name = u"Arial";
    Canvas->Font().Height = -100;
    EXPECT_EQ(QFontInfo(Canvas->DeviceFont()).family(), "Liberation Sans");
    // Advances 1479+1139+455+455+1139+569+569+1933+1139+682+455+1139 of 2048
    // units at 100 pixels: 544.6, rounded per glyph.
    const TSize ext = Canvas->TextExtent(u"Hello, World");
    EXPECT_EQ(ext.cx, 544);
    EXPECT_NEAR(ext.cx, 544.6, 2);
    // Ascent plus descent of the face: 1854 + 434 units.
    EXPECT_NEAR(ext.cy, 111.7, 1.5);
}

TEST_F(QtCanvasText, NegativeHeightIsTheCharacterPositiveTheCell) {
    Canvas->Font().Height = -40;
    EXPECT_EQ(Canvas->DeviceFont().pixelSize(), 40);
    EXPECT_NEAR(Canvas->TextExtent(u"x").cy, 45, 1);
    Canvas->Font().Height = 40;
    EXPECT_NEAR(Canvas->TextExtent(u"x").cy, 40, 1);
    EXPECT_LT(Canvas->DeviceFont().pixelSize(), 40);
}

TEST_F(QtCanvasText, StylesAndTheDefaultFace) {
    TFont& f = Canvas->Font();
    f.Name = u"default";
    f.Style = fsBold | fsItalic | fsUnderline | fsStrikeOut;
    f.Pitch = TFontPitch::fpFixed;
    const QFont q = Canvas->DeviceFont();
    EXPECT_EQ(q.family(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    EXPECT_EQ(q.weight(), QFont::Bold);
    EXPECT_TRUE(q.italic() && q.underline() && q.strikeOut() && q.fixedPitch());
}

TEST_F(QtCanvasText, TextHangsBelowItsReferencePointAndTurnsWithTheEscapement) {
    Reset(200, 200);
    Canvas->Font().Height = -24;
    const String text = u"WWWWW";
    const TSize ext = Canvas->TextExtent(text);

    Canvas->TextOut(100, 100, text);
    QRect ink = Bounds(Inked);
    EXPECT_GE(ink.left(), 100);
    EXPECT_GE(ink.top(), 100);
    EXPECT_LE(ink.right(), 100 + ext.cx);
    EXPECT_LE(ink.bottom(), 100 + ext.cy);
    EXPECT_GT(ink.width(), 2 * ink.height());

    // 90 degrees counter-clockwise: the line runs up, its cell to the right.
    Reset(200, 200);
    Canvas->Font().Height = -24;
    Canvas->Font().Orientation = 900;
    Canvas->TextOut(100, 100, text);
    ink = Bounds(Inked);
    EXPECT_GT(ink.height(), 2 * ink.width());
    EXPECT_GE(ink.left(), 100);
    EXPECT_LE(ink.bottom(), 100);
    EXPECT_GE(ink.top(), 100 - ext.cx);

    // 270 degrees: the line runs down, its cell to the left.
    Reset(200, 200);
    Canvas->Font().Height = -24;
    Canvas->Font().Orientation = 2700;
    Canvas->TextOut(100, 100, text);
    ink = Bounds(Inked);
    EXPECT_GT(ink.height(), 2 * ink.width());
    EXPECT_LE(ink.right(), 100);
    EXPECT_GE(ink.top(), 100);
}

TEST_F(QtCanvasText, TextIgnoresThePenModeAndKeepsTheBackground) {
    Image.fill(0xFF00FF00);
    Canvas->Pen().Mode = TPenMode::pmNotXor;
    Canvas->Font().Color = clBlue;
    Canvas->Font().Height = -30;
    Canvas->TextOut(5, 5, u"H");
    EXPECT_GT(Count(0xFF0000FF), 20);
    EXPECT_EQ(Count(0xFF0000FF) + Count(0xFF00FF00), 120 * 100);
}
