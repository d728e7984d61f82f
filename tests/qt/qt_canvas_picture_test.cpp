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
    for (int i = 0; i < 4; ++i) b.SetPixel(1 + i % 2, 1 + i / 2, clBlue);
    return b;
}
} // namespace

TEST_F(QtCanvasFixture, TransparentPicturesLeaveTheBackground) {
    Image.fill(0xFF00FF00);
    TBitmap b = Framed();
    b.SetTransparent(true);
    b.SetTransparentColor(clBlue);
    Canvas->StretchDraw({10, 10, 18, 18}, b);
    EXPECT_EQ(At(10, 10), 0xFFFF0000u);
    EXPECT_EQ(At(12, 15), 0xFF00FF00u);
    EXPECT_EQ(Count(0xFFFF0000), 64 - 16);

    TIcon icon;
    icon.Image() = Framed();
    std::vector<bool> mask(16, false);
    mask[0] = true;
    icon.SetMask(mask);
    Canvas->Draw(0, 0, icon);
    EXPECT_EQ(At(0, 0), 0xFF00FF00u);
    EXPECT_EQ(At(1, 0), 0xFFFF0000u);
    EXPECT_EQ(At(1, 1), 0xFF0000FFu);
}

TEST_F(QtCanvasFixture, PicturesMirrorAndCopyBlocks) {
    // Corners given right-to-left and bottom-up turn the picture over.
    TBitmap b(2, 2, clRed);
    b.SetPixel(1, 0, clBlue);
    Canvas->StretchDraw({60, 40, 50, 30}, b);
    EXPECT_EQ(At(52, 37), 0xFF0000FFu);
    EXPECT_EQ(At(57, 37), 0xFFFF0000u);

    Canvas->StretchBitmap({0, 0, 4, 4}, Framed(), {1, 1, 3, 3});
    Canvas->SetPixel(10, 10, clFuchsia);
    EXPECT_EQ(Canvas->GetPixel(10, 10), clFuchsia);
    EXPECT_EQ(Canvas->GetPixel(-1, 10), clNone);
    TBitmap out;
    ASSERT_TRUE(Canvas->CopyToBitmap({2, 2, 12, 12}, out));
    EXPECT_EQ(out.Width(), 10);
    EXPECT_EQ(out.Pixel(1, 1), clBlue);
    EXPECT_EQ(out.Pixel(2, 2), clWhite);
    EXPECT_EQ(out.Pixel(8, 8), clFuchsia);
}

TEST_F(QtCanvasFixture, ImagesDecodeThroughQtReaders) {
    InstallImageDecoder();
    const auto encoded = [](const char* format) {
        QImage img(16, 8, QImage::Format_RGB32);
        img.fill(0xFF808080);
        QByteArray bytes;
        QBuffer buf(&bytes);
        buf.open(QIODevice::WriteOnly);
        img.save(&buf, format, 95);
        return std::vector<uint8_t>(bytes.begin(), bytes.end());
    };
    TBitmap png;
    ASSERT_TRUE(ImageDecoder()(encoded("PNG"), png));
    EXPECT_EQ(png.Width(), 16);
    EXPECT_EQ(png.Pixel(3, 3), clGray);

    TJPEGImage jpeg;
    jpeg.SetData(encoded("JPG"));
    ASSERT_EQ(jpeg.Bitmap().Width(), 16);
    Canvas->StretchDraw({0, 0, 16, 8}, jpeg);
    EXPECT_NEAR(qGreen(At(8, 4)), 0x80, 3);

    TJPEGImage junk;
    junk.SetData({0xFF, 0xD8, 0x00, 0x01});
    EXPECT_TRUE(junk.Bitmap().Empty());
}
