// Pictures: transparent bitmaps, icon masks, mirroring by the rectangle's
// corners, pixel blocks and images decoded through Qt's readers.

#include "qt_canvas_fixture.h"

#include <QBuffer>

#include <velloran-qt/qt_image.h>

#include "velloran/platform/graphics.h"

using namespace vl;

namespace {
// Red frame around a 2x2 blue middle.
TBitmap Framed() {
    TBitmap b(4, 4, clRed);
    for (int y = 1; y < 3; ++y)
        for (int x = 1; x < 3; ++x) b.SetPixel(x, y, clBlue);
    return b;
}

std::vector<uint8_t> Encoded(const QImage& img, const char* format, int quality = -1) {
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, format, quality);
    return {bytes.begin(), bytes.end()};
}
} // namespace

class QtCanvasPicture : public QtCanvasFixture {
protected:
    void SetUp() override {
        QtCanvasFixture::SetUp();
        Image.fill(0xFF00FF00);
    }
};

TEST_F(QtCanvasPicture, TransparentColourLeavesTheBackground) {
    TBitmap b = Framed();
    b.SetTransparent(true);
    b.SetTransparentColor(clBlue);
    Canvas->StretchDraw({10, 10, 18, 18}, b);
    EXPECT_EQ(At(10, 10), 0xFFFF0000u);
    EXPECT_EQ(At(17, 17), 0xFFFF0000u);
    EXPECT_EQ(At(12, 12), 0xFF00FF00u);
    EXPECT_EQ(At(15, 15), 0xFF00FF00u);
    EXPECT_EQ(Count(0xFFFF0000), 64 - 16);

    b.SetTransparent(false);
    Canvas->StretchDraw({30, 10, 38, 18}, b);
    EXPECT_EQ(At(33, 13), 0xFF0000FFu);
}

TEST_F(QtCanvasPicture, IconMaskAndMirroredCorners) {
    TIcon icon;
    icon.Image() = Framed();
    std::vector<bool> mask(16, false);
    mask[0] = true; // top-left corner see-through
    icon.SetMask(mask);
    Canvas->Draw(0, 0, icon);
    EXPECT_EQ(At(0, 0), 0xFF00FF00u);
    EXPECT_EQ(At(1, 0), 0xFFFF0000u);

    // Corners given right-to-left and bottom-up turn the picture over.
    TBitmap half(2, 2, clRed);
    half.SetPixel(1, 0, clBlue);
    Canvas->StretchDraw({60, 40, 50, 30}, half);
    EXPECT_EQ(At(52, 32), 0xFFFF0000u);
    EXPECT_EQ(At(52, 37), 0xFF0000FFu);
    EXPECT_EQ(At(57, 37), 0xFFFF0000u);
}

TEST_F(QtCanvasPicture, PixelBlocksInAndOut) {
    TBitmap src = Framed();
    Canvas->StretchBitmap({0, 0, 4, 4}, src, {1, 1, 3, 3});
    EXPECT_EQ(At(0, 0), 0xFF0000FFu);
    EXPECT_EQ(At(3, 3), 0xFF0000FFu);
    EXPECT_EQ(At(4, 4), 0xFF00FF00u);

    Canvas->SetPixel(10, 10, clFuchsia);
    EXPECT_EQ(Canvas->GetPixel(10, 10), clFuchsia);
    EXPECT_EQ(Canvas->GetPixel(-1, 10), clNone);

    TBitmap out;
    ASSERT_TRUE(Canvas->CopyToBitmap({2, 2, 12, 12}, out));
    EXPECT_EQ(out.Width(), 10);
    EXPECT_EQ(out.Pixel(0, 0), clBlue);
    EXPECT_EQ(out.Pixel(8, 8), clFuchsia);
    EXPECT_EQ(out.Pixel(9, 9), clLime);
}

TEST_F(QtCanvasPicture, ImagesDecodeThroughQtReaders) {
    InstallImageDecoder();
    QImage img(3, 2, QImage::Format_RGB32);
    img.fill(0xFF102030);
    img.setPixel(2, 1, 0xFFFFFFFF);
    TJPEGImage png;
    png.SetData(Encoded(img, "PNG"));
    ASSERT_EQ(png.Width(), 3);
    EXPECT_EQ(png.Bitmap().Pixel(0, 0), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(png.Bitmap().Pixel(2, 1), clWhite);

    QImage grey(16, 16, QImage::Format_RGB32);
    grey.fill(0xFF808080);
    TJPEGImage jpeg;
    jpeg.SetData(Encoded(grey, "JPG", 95));
    ASSERT_EQ(jpeg.Height(), 16);
    EXPECT_NEAR(GetGValue(jpeg.Bitmap().Pixel(8, 8)), 0x80, 3);
    Canvas->StretchDraw({0, 0, 16, 16}, jpeg);
    EXPECT_NEAR(qGreen(At(8, 8)), 0x80, 3);

    TJPEGImage junk;
    junk.SetData({0xFF, 0xD8, 0x00, 0x01, 0x02});
    EXPECT_TRUE(junk.Bitmap().Empty());
    Canvas->StretchDraw({0, 0, 16, 16}, junk); // nothing to draw, no harm
}
