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

    const auto size = static_cast<uint32_t>(good.size());
    // Dwords set: no header, a record smaller than its own type and size, of
    // odd size, beyond the end; the header's byte count short or long (it is
    // what loading trusts, so a short one would be saved and read back cut).
    const std::pair<size_t, uint32_t> dwords[] = {{0, emr::ELLIPSE}, {second + 4, 4}, {second + 4, 14},
                                                  {second + 4, 0x7FFFFFF0}, {48, size - 20}, {48, size + 4}};
    std::vector<std::vector<uint8_t>> bad;
    for (auto [at, v] : dwords) SetDWord(bad.emplace_back(good), at, v);
    bad.emplace_back(good)[40] = 'X'; // no signature
    bad.emplace_back(good.begin(), good.end() - 20); // end record missing
    bad.emplace_back(good.begin(), good.end() - 2);
    bad.emplace_back(good).insert(bad.back().end(), good.end() - 20, good.end()); // data after the end
    for (auto& b : bad) {
        EXPECT_THROW(mf.SetData(std::move(b)), EInvalidGraphic);
        EXPECT_EQ(mf.Data(), good);
    }
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
