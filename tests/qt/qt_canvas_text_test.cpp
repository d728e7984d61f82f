// Fonts resolve to metric-compatible faces, heights follow the sign
// convention, and rotated text turns about its reference point.

#include "qt_canvas_fixture.h"

#include <QFontInfo>

using namespace vl;

TEST_F(QtCanvasFixture, ArialResolvesToAMetricCompatibleFace) {
    Canvas->Font().Height = -100;
    EXPECT_EQ(QFontInfo(Canvas->DeviceFont()).family(), "Liberation Sans");
    // Advances 1479+1139+455+455+1139+569+569+1933+1139+682+455+1139 of 2048
    // units at 100 pixels make 544.6; cell 1854 + 434 units.
    EXPECT_EQ(Canvas->TextExtent(u"Hello, World"), (TSize{544, 112}));
    // Through a mapping of scale 2 the same pixels are half as many units.
    Canvas->SetMapMode(TMapMode::mmAnisotropic);
    Canvas->SetViewportExt({2, 2});
    Canvas->Font().Height = -50;
    EXPECT_EQ(Canvas->TextExtent(u"Hello, World"), (TSize{272, 56}));
    // A positive height is the cell.
    Canvas->Font().Height = 56;
    EXPECT_EQ(Canvas->DeviceFont().pixelSize(), 100);
}

TEST_F(QtCanvasFixture, TextHangsBelowItsReferencePointAndTurnsWithTheEscapement) {
    const String text = u"WWWWW";
    const struct { int32_t Escapement; QRect Area; } cases[] = {
        {0, QRect(100, 100, 100, 100)},    // right and below
        {900, QRect(100, 0, 100, 100)},    // runs up, cell to the right
        {1800, QRect(0, 0, 100, 100)},     // runs left, upside down
        {2700, QRect(0, 100, 100, 100)},   // runs down, cell to the left
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Escapement);
        Reset(200, 200);
        Canvas->Font().Height = -24;
        Canvas->Font().Escapement = c.Escapement;
        Canvas->TextOut(100, 100, text);
        const QRect ink = Ink();
        EXPECT_TRUE(c.Area.contains(ink));
        const bool upright = c.Escapement % 1800 == 0;
        EXPECT_GT(upright ? ink.width() : ink.height(), 3 * (upright ? ink.height() : ink.width()));
    }
    // Text ignores the pen mode and leaves the background.
    Reset();
    Canvas->Pen().Mode = TPenMode::pmNotXor;
    Canvas->Font().Color = clBlue;
    Canvas->Font().Height = -30;
    Canvas->TextOut(5, 5, u"H");
    EXPECT_GT(Count(0xFF0000FF), 20);
    EXPECT_EQ(Count(0xFF0000FF) + Count(0xFFFFFFFF), 120 * 100);
}
