#include <gtest/gtest.h>

#include "support/bytes.h"
#include "velloran/foundations/stream.h"
#include "velloran/platform/graphics.h"

using namespace vl;

namespace {
std::vector<uint8_t> Saved(const TGraphic& g) {
    TMemoryStream s;
    g.SaveToStream(s);
    return s.Bytes();
}

template <typename G> G Loaded(std::vector<uint8_t> bytes) {
    TMemoryStream s(std::move(bytes));
    G g;
    g.LoadFromStream(s);
    return g;
}

// A BMP file with a 40-byte header; height < 0 stores rows top-down.
std::vector<uint8_t> Bmp(int32_t w, int32_t h, uint16_t bpp, const std::vector<uint8_t>& palette,
                         const std::vector<uint8_t>& rows) {
    const auto off = static_cast<int32_t>(54 + palette.size());
    test::TBytes b;
    b.i16(0x4D42).i32(off + static_cast<int32_t>(rows.size())).i32(0).i32(off);
    b.i32(40).i32(w).i32(h).i16(1).i16(bpp).i32(0).i32(0).i32(0).i32(0);
    b.i32(static_cast<int32_t>(palette.size() / 4)).i32(0);
    return test::Cat({b.v, palette, rows});
}

// Every truncation, and every byte of the first n set to each of the values,
// loads or fails with one of the two stream/picture errors.
template <typename G> void ExpectSafeLoads(const std::vector<uint8_t>& good, size_t n,
                                           std::initializer_list<uint8_t> values) {
    auto load = [](const std::vector<uint8_t>& bytes) {
        try {
            Loaded<G>(bytes);
        } catch (const EReadError&) {
        } catch (const EInvalidGraphic&) {
        }
    };
    for (size_t k = 0; k < good.size(); ++k) load(test::Prefix(good, k));
    for (size_t i = 0; i < n; ++i)
        for (uint8_t v : values) {
            auto bad = good;
            bad[i] = v;
            load(bad);
        }
}
} // namespace

TEST(Bitmap, SavesTwentyFourBitBottomUpBmp) {
    TBitmap b(2, 2);
    b.SetPixel(0, 0, RGB(1, 2, 3));
    b.SetPixel(1, 0, RGB(4, 5, 6));
    b.SetPixel(0, 1, RGB(7, 8, 9));
    b.SetPixel(1, 1, RGB(10, 11, 12));
    const std::vector<uint8_t> golden = {
        'B', 'M', 70, 0,  0,  0,  0, 0, 0, 0, 54, 0, 0, 0,                    // file header
        40,  0,   0,  0,  2,  0,  0, 0, 2, 0, 0,  0, 1, 0, 24, 0, 0, 0, 0, 0, // size, planes, depth
        16,  0,   0,  0,  0,  0,  0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, // image size 16
        9,   8,   7,  12, 11, 10, 0, 0, // bottom row first, BGR
        3,   2,   1,  6,  5,  4,  0, 0};
    EXPECT_EQ(Saved(b), golden);
    const TBitmap back = Loaded<TBitmap>(golden);
    EXPECT_EQ(back.Pixels(), b.Pixels());
}

TEST(Bitmap, ReadsThirtyTwoBitTopDownAndPalettedImages) {
    const TBitmap top = Loaded<TBitmap>(Bmp(1, -2, 32, {}, {1, 2, 3, 0xFF, 4, 5, 6, 0xFF}));
    EXPECT_EQ(top.Pixel(0, 0), RGB(3, 2, 1));
    EXPECT_EQ(top.Pixel(0, 1), RGB(6, 5, 4));

    const std::vector<uint8_t> palette = {0, 0, 0, 0, 0x30, 0x20, 0x10, 0};
    const TBitmap pal = Loaded<TBitmap>(Bmp(3, 1, 8, palette, {1, 0, 1, 0}));
    EXPECT_EQ(pal.Pixel(0, 0), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(pal.Pixel(1, 0), clBlack);
    // An index beyond a short palette reads as black rather than beyond the data.
    const TBitmap beyond = Loaded<TBitmap>(Bmp(1, 1, 8, palette, {200, 0, 0, 0}));
    EXPECT_EQ(beyond.Pixel(0, 0), clBlack);
}

TEST(Bitmap, HostileFilesAreRejected) {
    EXPECT_THROW(Loaded<TBitmap>(Bmp(0x7FFFFFFF, 0x7FFFFFFF, 24, {}, {0, 0, 0, 0})), EReadError);
    EXPECT_THROW(Loaded<TBitmap>(Bmp(1, 1, 4, {}, {0, 0, 0, 0})), EInvalidGraphic);
    EXPECT_THROW(Loaded<TBitmap>(Bmp(-5, 1, 24, {}, {0, 0, 0, 0})), EInvalidGraphic);
    EXPECT_THROW(Loaded<TBitmap>({'B', 'M', 0}), EReadError);
    EXPECT_THROW(Loaded<TBitmap>({'P', 'K', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
                 EInvalidGraphic);
    auto offset = Bmp(1, 1, 24, {}, {0, 0, 0, 0});
    offset[10] = 0xF0; // pixel data far beyond the end
    offset[11] = 0xFF;
    EXPECT_THROW(Loaded<TBitmap>(offset), EReadError);

    ExpectSafeLoads<TBitmap>(Bmp(3, 2, 8, std::vector<uint8_t>(16, 7), std::vector<uint8_t>(8, 2)), 54,
                             {0x00, 0x7F, 0x80, 0xFF});
}

TEST(Bitmap, TransparentColourAndMask) {
    TBitmap b(2, 2, clRed);
    b.SetPixel(0, 1, clGreen);
    EXPECT_EQ(b.TransparentColor(), clGreen); // bottom-left pixel
    EXPECT_EQ(b.Mask(), (std::vector<bool>{false, false, true, false}));
    b.SetTransparentColor(clRed);
    EXPECT_EQ(b.TransparentMode(), TTransparentMode::tmFixed);
    EXPECT_EQ(b.Mask(), (std::vector<bool>{true, true, false, true}));
    b.SetSize(3, 1);
    EXPECT_EQ(b.Pixels(), (std::vector<TColor>{clRed, clRed, clWhite}));
}

TEST(Icon, RoundTripKeepsImageAndMask) {
    TIcon icon;
    icon.Image().SetSize(2, 2, clBlue);
    icon.Image().SetPixel(1, 0, clRed);
    icon.SetMask({false, true, false, false});
    const auto bytes = Saved(icon);
    ASSERT_EQ(bytes.size(), 6u + 16 + 40 + 16 + 8);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 22),
              (std::vector<uint8_t>{0, 0,  1, 0,  1, 0, 2, 2,  0, 0, 1,
                                    0, 32, 0, 64, 0, 0, 0, 22, 0, 0, 0}));
    // Top row stored last; the masked pixel has alpha 0 and its AND bit set.
    EXPECT_EQ(bytes[22 + 40 + 8 + 3], 0xFF);
    EXPECT_EQ(bytes[22 + 40 + 8 + 7], 0);
    EXPECT_EQ(bytes[22 + 40 + 16 + 4], 0x40);
    const TIcon back = Loaded<TIcon>(bytes);
    EXPECT_EQ(back.Mask(), icon.Mask());
    EXPECT_EQ(back.Image().Pixel(0, 0), clBlue);
}

TEST(Icon, OpaqueImageTakesItsMaskFromTheAndBits) {
    auto bytes = Saved([] {
        TIcon i;
        i.Image().SetSize(1, 1, clRed);
        i.SetMask({true});
        return i;
    }());
    bytes[22 + 40 + 3] = 0; // alpha 0 everywhere: no alpha channel
    bytes[22 + 40 + 4] = 0; // AND bit cleared: opaque after all
    EXPECT_EQ(Loaded<TIcon>(bytes).Mask(), std::vector<bool>{false});
    bytes[22 + 40 + 4] = 0x80;
    EXPECT_EQ(Loaded<TIcon>(bytes).Mask(), std::vector<bool>{true});
}

TEST(Bitmap, ZeroWidthIsEmptyWithoutWalkingItsRows) {
    // 56 bytes announcing 2^31 - 1 rows of nothing.
    const TBitmap b = Loaded<TBitmap>(Bmp(0, 0x7FFFFFFF, 24, {}, {0, 0}));
    EXPECT_EQ(std::pair(b.Width(), b.Height()), std::pair(0, 0));
    TIcon i;
    i.Image().SetSize(1, 1, clRed);
    auto ico = Saved(i);
    const size_t dib = 22; // after the directory and its one entry
    for (size_t k = 0; k < 4; ++k) {
        ico[dib + 4 + k] = 0;                   // width 0
        ico[dib + 8 + k] = k < 3 ? 0xFF : 0x7F; // mask and image: 2^31 - 1 rows
    }
    const TIcon empty = Loaded<TIcon>(ico);
    EXPECT_EQ(std::pair(empty.Width(), empty.Height()), std::pair(0, 0));
}

TEST(Icon, HostileFilesAreRejected) {
    TIcon i;
    i.Image().SetSize(3, 2, clRed);
    const auto good = Saved(i);
    auto far = good;
    far[18] = 0xFF; // image offset beyond the file
    EXPECT_THROW(Loaded<TIcon>(far), EReadError);
    auto many = good;
    many[4] = 0xFF; // 65535 entries announced
    many[5] = 0xFF;
    EXPECT_THROW(Loaded<TIcon>(many), EReadError);
    ExpectSafeLoads<TIcon>(good, 62, {0x00, 0x7F, 0xFF});
}

TEST(JPEGImage, ReadsExactlyUpToTheEndMarker) {
    const std::vector<uint8_t> jpeg = {
        0xFF, 0xD8,                                                     // start
        0xFF, 0xE0, 0,    4,    0xAA, 0xBB,                             // app segment
        0xFF, 0xC0, 0,    11,   8,    0,    20,   0, 30, 1, 1, 0x11, 0, // frame: 30 x 20
        0xFF, 0xDA, 0,    2,                                            // scan header
        0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD0, 0x56, // stuffed byte, restart marker
        0xFF, 0xD9};
    std::vector<uint8_t> bytes = jpeg;
    bytes.insert(bytes.end(), {1, 2, 3}); // whatever follows in the stream
    TMemoryStream s(bytes);
    TJPEGImage img;
    img.LoadFromStream(s);
    EXPECT_EQ(img.Data(), jpeg);
    EXPECT_EQ(s.Position(), static_cast<int64_t>(jpeg.size()));
    EXPECT_EQ(img.Width(), 30);
    EXPECT_EQ(img.Height(), 20);
    EXPECT_EQ(Saved(img), jpeg);

    for (size_t n = 0; n < jpeg.size(); ++n) EXPECT_THROW(Loaded<TJPEGImage>(test::Prefix(jpeg, n)), Exception);
    auto badLength = jpeg;
    badLength[5] = 1; // segment length below its own two bytes
    EXPECT_THROW(Loaded<TJPEGImage>(badLength), EInvalidGraphic);
}

TEST(JPEGImage, DecodesLazilyThroughTheRegisteredDecoder) {
    int calls = 0;
    SetImageDecoder([&](const std::vector<uint8_t>& bytes, TBitmap& out) {
        ++calls;
        out.SetSize(static_cast<int32_t>(bytes.size()), 1, clRed);
        return true;
    });
    TJPEGImage img;
    img.SetData({0xFF, 0xD8, 0xFF, 0xD9});
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(img.Bitmap().Width(), 4);
    EXPECT_EQ(img.Bitmap().Pixel(0, 0), clRed);
    EXPECT_EQ(calls, 1);
    TBitmap copy;
    copy.Assign(img);
    EXPECT_EQ(copy.Width(), 4);
    SetImageDecoder(nullptr);
    img.SetData({0xFF, 0xD8, 0xFF, 0xD9});
    EXPECT_TRUE(img.Bitmap().Empty());
}
