#include <gtest/gtest.h>

#include "velloran/platform/emf_reader.h"
#include "velloran/platform/emf_records.h"
#include "velloran/platform/metafile_canvas.h"

using namespace vl;

namespace {
std::vector<uint32_t> Types(const TMetafile& mf) {
    std::vector<uint32_t> t;
    for (const auto& r : EmfRecords(mf)) t.push_back(r.Type());
    return t;
}
std::vector<uint8_t> Bytes(const TEmfRecord& r) { return {r.Bytes.begin(), r.Bytes.end()}; }
} // namespace

TEST(MetafileCanvas, RectangleRecordAndHeaderBytes) {
    TMetafile mf;
    {
        TMetafileCanvas c(mf);
        c.Rectangle({10, 20, 110, 70});
    }
    const auto recs = EmfRecords(mf);
    ASSERT_EQ(Types(mf), (std::vector<uint32_t>{emr::HEADER, emr::SETBKMODE, emr::CREATEPEN, emr::SELECTOBJECT,
                                                emr::CREATEBRUSHINDIRECT, emr::SELECTOBJECT, emr::RECTANGLE,
                                                emr::EOF_}));
    EXPECT_EQ(Bytes(recs[6]), (std::vector<uint8_t>{43, 0, 0, 0, 24, 0, 0, 0, 10, 0, 0, 0, 20, 0, 0, 0,
                                                    110, 0, 0, 0, 70, 0, 0, 0}));
    // Pen: handle 1, solid, width 1, black. Brush: handle 2, solid white.
    EXPECT_EQ(Bytes(recs[2]), (std::vector<uint8_t>{38, 0, 0, 0, 28, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0,
                                                    0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Bytes(recs[4]), (std::vector<uint8_t>{39, 0, 0, 0, 24, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,
                                                    0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0}));
    const TEmfRecord& h = recs[0];
    EXPECT_EQ(h.Size(), 108u);
    // Bounds in device pixels, inclusive, widened by half the pen (0 here).
    EXPECT_EQ(EmfRect(h, 8), (TRect{10, 20, 109, 69}));
    // Frame in 0.01 mm on a 96-dpi device: 10 px = 264.58.
    EXPECT_EQ(EmfRect(h, 24), (TRect{265, 529, 2909, 1851}));
    EXPECT_EQ(h.DWord(40), 0x464D4520u);
    EXPECT_EQ(h.DWord(48), mf.Data().size());
    EXPECT_EQ(h.DWord(52), 8u);
    EXPECT_EQ(h.DWord(56) & 0xFFFF, 3u);
    EXPECT_EQ(h.Int(72), 1920);
    EXPECT_EQ(h.Int(80), 508);
    EXPECT_EQ(h.Int(100), 508000);
    EXPECT_EQ(mf.Width(), 100);
    EXPECT_EQ(mf.Height(), 50);
    EXPECT_EQ(mf.MMWidth(), 2645);
}
