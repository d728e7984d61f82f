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

TEST_F(QtCanvasFixture, PicturesMirrorCopyAndDecode) {
    // Corners given right-to-left and bottom-up turn the picture over.
    TBitmap b(2, 2, clRed);
    b.SetPixel(1, 0, clBlue);
    Canvas->StretchDraw({60, 40, 50, 30}, b);
    TBitmap out;
    ASSERT_TRUE(Canvas->CopyToBitmap({50, 30, 62, 42}, out));
    EXPECT_EQ(out.Width(), 12);
    EXPECT_EQ(out.Pixel(2, 7), clBlue);
    EXPECT_EQ(out.Pixel(7, 7), clRed);
    EXPECT_EQ(out.Pixel(11, 11), clWhite);

    InstallImageDecoder();
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    QImage(16, 8, QImage::Format_RGB32).save(&buf, "JPG");
    TJPEGImage jpeg;
    jpeg.SetData({bytes.begin(), bytes.end()});
    EXPECT_EQ(jpeg.Bitmap().Width(), 16);
    jpeg.SetData({0xFF, 0xD8, 0x00, 0x01});
    EXPECT_TRUE(jpeg.Bitmap().Empty());
}
