#include <gtest/gtest.h>

#include "velloran/foundations/stream.h"
#include "velloran/platform/detail/emf_records.h"
#include "velloran/platform/metafile_canvas.h"

using namespace vl;

namespace {
std::vector<uint8_t> Recorded() {
    TMetafile mf;
    TMetafileCanvas c(mf);
    c.Ellipse({0, 0, 30, 20});
    c.Close();
    return mf.Data();
}

void SetDWord(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
} // namespace

TEST(Metafile, MalformedDataIsRejectedAndLeavesTheMetafileAlone) {
    const std::vector<uint8_t> good = Recorded();
    TMetafile mf;
    mf.SetData(good);
    const size_t second = 108; // first record after the header

    auto expectRejected = [&](std::vector<uint8_t> bad) {
        EXPECT_THROW(mf.SetData(std::move(bad)), EInvalidGraphic);
        EXPECT_EQ(mf.Data(), good);
    };
    auto noHeader = good;
    SetDWord(noHeader, 0, emr::ELLIPSE);
    expectRejected(noHeader);
    auto noSignature = good;
    noSignature[40] = 'X';
    expectRejected(noSignature);
    auto tiny = good;
    SetDWord(tiny, second + 4, 4); // record smaller than its own type and size
    expectRejected(tiny);
    auto odd = good;
    SetDWord(odd, second + 4, 14);
    expectRejected(odd);
    auto beyond = good;
    SetDWord(beyond, second + 4, 0x7FFFFFF0);
    expectRejected(beyond);
    expectRejected(std::vector<uint8_t>(good.begin(), good.end() - 20)); // end record missing
    auto afterEnd = good;
    afterEnd.insert(afterEnd.end(), good.end() - 20, good.end());
    expectRejected(afterEnd);
    expectRejected(std::vector<uint8_t>(good.begin(), good.end() - 2));
    // The header's byte count is what loading trusts, so it must be the size:
    // a shorter count would be saved and read back cut short.
    auto shortCount = good;
    SetDWord(shortCount, 48, static_cast<uint32_t>(good.size() - 20));
    expectRejected(shortCount);
    auto longCount = good;
    SetDWord(longCount, 48, static_cast<uint32_t>(good.size() + 4));
    expectRejected(longCount);
    mf.SetData({});
    EXPECT_TRUE(mf.Data().empty());
    EXPECT_EQ(mf.Width(), 0);
}

TEST(Metafile, StreamImageIsTheFileAndEndsWhereTheHeaderSays) {
    const std::vector<uint8_t> good = Recorded();
    TMemoryStream s;
    s.WriteBuffer(good.data(), static_cast<int64_t>(good.size()));
    s.WriteUInt32(0xDEADBEEF); // data of whoever wrote after the picture
    s.SetPosition(0);
    TMetafile mf;
    mf.LoadFromStream(s);
    EXPECT_EQ(mf.Data(), good);
    EXPECT_EQ(s.ReadUInt32(), 0xDEADBEEFu);
    TMemoryStream out;
    mf.SaveToStream(out);
    EXPECT_EQ(out.Bytes(), good);

    TMemoryStream truncated(std::vector<uint8_t>(good.begin(), good.begin() + 100));
    EXPECT_THROW(mf.LoadFromStream(truncated), EInvalidGraphic);
}

TEST(Metafile, SizeComesFromBoundsAndFrame) {
    TMetafile mf;
    mf.SetWidth(96);
    mf.SetHeight(48);
    EXPECT_EQ(mf.Width(), 96);
    EXPECT_EQ(mf.Height(), 48);
    EXPECT_EQ(mf.MMWidth(), 2540); // one inch on the default 96-dpi device
    EXPECT_EQ(mf.MMHeight(), 1270);
    TMetafile copy;
    copy.Assign(mf);
    EXPECT_EQ(copy.Data(), mf.Data());
    TBitmap bmp;
    EXPECT_THROW(copy.Assign(bmp), EConvertError);
}
