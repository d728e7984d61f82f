// PDF pages and SVG pictures: real device capabilities, and the shapes come
// out where they were drawn.

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <velloran-qt/qt_export_canvas.h>

#include "velloran/platform/graphics.h"

using namespace vl;

namespace {
void DrawShapes(TCanvas& c) {
    // Logical units of 0.1 mm on a 10 pixel per mm device.
    c.SetMapMode(TMapMode::mmAnisotropic);
    c.SetWindowExt({1, 1});
    c.SetViewportExt({1, 1});
    c.Pen().Style = TPenStyle::psClear;
    c.Brush().Color = clBlack;
    c.Rectangle({100, 100, 400, 300});
    c.Brush().Color = clRed;
    c.Ellipse({500, 500, 900, 900});
}
} // namespace

TEST(QtExportCanvas, PdfPageHasItsCapsAndShowsTheShapes) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("page.pdf");
    {
        // 127 mm is a whole number of points, so Qt keeps the size exactly.
        QtPdfCanvas canvas(pdf, {127, 127}, 254);
        EXPECT_EQ(canvas.GetDeviceCaps(TDeviceCap::HORZRES), 1270);
        EXPECT_EQ(canvas.GetDeviceCaps(TDeviceCap::VERTRES), 1270);
        EXPECT_EQ(canvas.GetDeviceCaps(TDeviceCap::HORZSIZE), 127);
        EXPECT_EQ(canvas.GetDeviceCaps(TDeviceCap::VERTSIZE), 127);
        EXPECT_EQ(canvas.GetDeviceCaps(TDeviceCap::LOGPIXELSX), 254);
        DrawShapes(canvas);
        EXPECT_TRUE(canvas.NewPage());
    }
    // One pixel per millimetre.
    const int rc = QProcess::execute("pdftoppm", {"-png", "-r", "25.4", "-f", "1", "-singlefile", pdf, dir.filePath("page")});
    ASSERT_EQ(rc, 0) << "pdftoppm from poppler-utils is needed";
    const QImage png(dir.filePath("page.png"));
    ASSERT_EQ(png.size(), QSize(127, 127));
    EXPECT_EQ(png.pixel(25, 20) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(png.pixel(70, 70) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(png.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(png.pixel(45, 20) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(png.pixel(52, 52) & 0xFFFFFF, 0xFFFFFFu) << "outside the ellipse, inside its box";
}

TEST(QtExportCanvas, SvgPictureHasItsCapsAndShowsTheShapes) {
    QTemporaryDir dir;
    const QString svg = dir.filePath("picture.svg");
    {
        QtSvgCanvas canvas(svg, {1000, 1000}, 254);
        EXPECT_EQ(canvas.GetDeviceCaps(TDeviceCap::HORZRES), 1000);
        EXPECT_EQ(canvas.GetDeviceCaps(TDeviceCap::HORZSIZE), 100);
        EXPECT_EQ(canvas.GetDeviceCaps(TDeviceCap::LOGPIXELSY), 254);
        EXPECT_EQ(canvas.GetPixel(0, 0), clNone);
        TBitmap none;
        EXPECT_FALSE(canvas.CopyToBitmap({0, 0, 1, 1}, none));
        DrawShapes(canvas);
    }
    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    QImage img(100, 100, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    renderer.render(&p);
    p.end();
    EXPECT_EQ(img.pixel(25, 20) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(img.pixel(70, 70) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(img.pixel(45, 20) & 0xFFFFFF, 0xFFFFFFu);
}
