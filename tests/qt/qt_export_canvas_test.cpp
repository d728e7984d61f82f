// PDF pages and SVG pictures: real device capabilities, and the shapes come
// out where they were drawn.

#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <velloran-qt/qt_export_canvas.h>

using namespace vl;

TEST(QtExportCanvas, PdfPageAndSvgPictureShowTheShapes) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("page.pdf"), svg = dir.filePath("picture.svg");
    {
        // 127 mm is a whole number of points, so PDF keeps the size exactly; at
        // 254 dpi that is 1270 pixels, ten per millimetre.
        QtPdfCanvas page(pdf, {127, 127}, 254);
        QtSvgCanvas picture(svg, {1270, 1270}, 254);
        for (TCanvas* c : {static_cast<TCanvas*>(&page), static_cast<TCanvas*>(&picture)}) {
            EXPECT_EQ(c->GetDeviceCaps(TDeviceCap::HORZRES), 1270);
            EXPECT_EQ(c->GetDeviceCaps(TDeviceCap::VERTSIZE), 127);
            EXPECT_EQ(c->GetDeviceCaps(TDeviceCap::LOGPIXELSX), 254);
            c->Pen().Style = TPenStyle::psClear;
            c->Brush().Color = clBlack;
            c->Rectangle({100, 100, 400, 300});
            c->Brush().Color = clRed;
            c->Ellipse({500, 500, 900, 900});
        }
    }
    const int rc = QProcess::execute("pdftoppm", {"-png", "-r", "25.4", "-singlefile", pdf, dir.filePath("page")});
    ASSERT_EQ(rc, 0) << "pdftoppm from poppler-utils is needed";
    QImage fromSvg(127, 127, QImage::Format_RGB32);
    fromSvg.fill(Qt::white);
    QPainter p(&fromSvg);
    QSvgRenderer(svg).render(&p);
    p.end();
    // At one pixel per millimetre.
    for (const QImage& img : {QImage(dir.filePath("page.png")), fromSvg}) {
        ASSERT_EQ(img.size(), QSize(127, 127));
        EXPECT_EQ(img.pixel(25, 20) & 0xFFFFFF, 0x000000u);
        EXPECT_EQ(img.pixel(70, 70) & 0xFFFFFF, 0xFF0000u);
        EXPECT_EQ(img.pixel(45, 20) & 0xFFFFFF, 0xFFFFFFu);
        EXPECT_EQ(img.pixel(52, 52) & 0xFFFFFF, 0xFFFFFFu) << "outside the ellipse, inside its box";
    }
}
