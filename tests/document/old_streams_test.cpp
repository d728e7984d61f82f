// Streams of every older generation, built byte by byte from the layout
// tables: each loads with the right objects.

#include "document/file_fixture.h"

namespace vl::test {
namespace {

constexpr int32_t Visible = 0x0001;
constexpr int32_t VisibleSlave = 0x0011;
constexpr int32_t EndMark = 0x8001;

// The 16-byte position block of a free object.
TBytes& FreePos(TBytes& b, int32_t x, int32_t y) { return b.i32(x).i32(y).i16(0).i16(0).i32(0); }

// The 8-byte header of 2.0.0.4 up to 4.5.0.0; host 0x0800 widens to 0x00080000 (8-bit texts).
TBytes OldHeader(int32_t Version) { return std::move(TBytes{}.i16(-Version).i16(-2).i16(0x1203).i16(0x0800)); }

// Creator map naming both creators.
TBytes& CreatorMap(TBytes& b) {
    b.i32(4 + 2 + 4 + 4 + 2 + 4);
    b.i32(1).i16('A').i32(1);
    b.i32(1).i16('B').i32(2);
    return b;
}

class OldStreamTest : public FileTest {
protected:
    std::vector<std::string> Load(const std::vector<uint8_t>& Bytes) {
        const std::string path = TempPath("old.vld");
        WriteFile(path, Bytes);
        EXPECT_TRUE(Doc->LoadFromFile(path));
        return Drawing();
    }
};

TEST_F(OldStreamTest, HeaderlessStreamWithWideNumbersAndExtraBytes) {
    // 1.2.0.0: no header, 6 counters, no layer name, 32-bit class numbers and
    // identities, 4 skipped bytes after the position, no angle.
    TBytes b;
    b.i16(2).i16(0).i16(0).i16(0).i16(0).i16(0);
    FreePos(b.i32(1).i32(1).i16(Visible), 10, 20).i32(0x7777);
    FreePos(b.i32(2).i32(0x10002).i16(Visible), 30, 40).i32(0x7777);
    b.i32(EndMark);
    EXPECT_EQ(Load(b.v), (std::vector<std::string>{"1#1 10,20", "2#2 30,40"}));
    EXPECT_EQ(Doc->Counters(), (TCounters{2, 0, 0, 0, 0, 0}));
}

TEST_F(OldStreamTest, OldHeaderWithWideNumbersAndAnsiLayerName) {
    // 2.0.8.0: 8-byte header, no creator map, 6 counters, a named layer in
    // 8-bit text, 32-bit class numbers and identities, angle present.
    TBytes b = OldHeader(0x2080);
    b.i16(1).i16(1).i16(0).i16(0).i16(0).i16(0);
    b.i32(2).raw({'K', 0xE4, 0});
    FreePos(b.i32(1).i32(1).i16(Visible), 10, 20).i16(300);
    FreePos(b.i32(2).i32(1).i16(Visible), 30, 40).i16(0);
    b.i32(EndMark);
    EXPECT_EQ(Load(b.v), (std::vector<std::string>{"1#1 10,20", "2#1 30,40"}));
    EXPECT_EQ(Doc->Objects().GetName(), u"K\u00E4");
    EXPECT_EQ(FileHeader.Velloran, -ThisVersion) << "the load's header does not outlive it";
}

TEST_F(OldStreamTest, NarrowNumbersWithoutCreatorMapConnectSlaves) {
    // 3.0.0.0: 16-bit class numbers and identities, still no creator map.
    TBytes b = OldHeader(0x3000);
    b.i16(1).i16(1).i16(1).i16(0).i16(0).i16(0);
    b.i32(0);
    FreePos(b.i16(1).i16(1).i16(Visible), 10, 20).i16(0);
    b.i16(2).i16(1).i16(VisibleSlave).i16(1).i16(1).i32(0).i16(5).i16(6).i32(0).i16(0);
    b.i16(EndMark);
    EXPECT_EQ(Load(b.v), (std::vector<std::string>{"1#1 10,20", "2#1 on #1 +5,6"}));
}

TEST_F(OldStreamTest, CreatorMapWithSixCountersThenStoredCounterCount) {
    // 3.0.1.0: the creator map arrives; 4.0.0.0: the counter count is stored.
    for (int32_t version : {0x3010, 0x4000}) {
        SCOPED_TRACE(version);
        TBytes b = OldHeader(version);
        CreatorMap(b);
        if (version >= 0x3040) b.i16(2);
        const int counters = version >= 0x3040 ? 2 : 6;
        for (int i = 0; i < counters; ++i) b.i16(i == 0 ? 3 : 0);
        b.i32(0);
        FreePos(b.i16(2).i16(3).i16(Visible), -7, 8).i16(0);
        b.i16(EndMark);
        EXPECT_EQ(Load(b.v), (std::vector<std::string>{"2#3 -7,8"}));
        EXPECT_EQ(Doc->Counters().size(), size_t(counters));
    }
}

} // namespace
} // namespace vl::test
