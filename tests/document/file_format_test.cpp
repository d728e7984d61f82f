#include "document/file_fixture.h"

#include "velloran/objects/line_obj.h"
#include "velloran/storage/application.h"
#include "velloran/tools/custom_lines.h"

namespace vl::test {
namespace {

TEST_F(FileTest, SavedFileIsHeaderCreatorMapBodyAndTrailer) {
    TScopedValue<int32_t> id(ThisAppID, 7), version(ThisAppVersion, 0x01020304);
    Tool->SetName(u"P");
    Tool2->SetName(u"Qr");
    Doc->OnFileStream = [](TStream& s, bool Loading) {
        if (!Loading) s.WriteUInt8(0xAB);
    };
    const std::string path = TempPath("fresh.vld");
    ASSERT_EQ(Doc->SaveToFile(path), TSaveResult::srSaved);
    const Bytes header{0xCF, 0xB9, 0, 0, 7, 0, 0, 0, 4, 3, 2, 1, 0, 0, 0, 0x15};
    const Bytes map = TBytes{}.i32(22).i32(1).i16('P').i32(1).i32(2).i16('Q').i16('r').i32(2).v;
    const Bytes body{0, 0, 0, 0, 0, 0, 0x01, 0x80};
    EXPECT_EQ(ReadFile(path), Cat({header, map, body, {0xAB}}));
    EXPECT_FALSE(std::filesystem::exists(path + ".saving"));
}

TEST_F(FileTest, BodyCountersAndLayerNamePinned) {
    Tool->Generator().SetCounter(2);
    TBoxObj(Tool).Count(); // counted, not in the drawing
    EXPECT_EQ(Body(), (Bytes{3, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0x01, 0x80}));
    EXPECT_FALSE(Doc->State.Contains(TDataModFlag::dmSaving));
    Sym(Tool, {0, 0});
    Bytes b = Body();
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 8), (Bytes{3, 0, 0, 0, 0, 0, 2, 0}));

    Doc->Clear();
    Doc->Objects().SetName(u"L1");
    b = Body();
    EXPECT_EQ(Bytes(b.end() - 12, b.end()), (Bytes{2, 0, 0, 0, 'L', 0, '1', 0, 0, 0, 0x01, 0x80}));
}

TEST_F(FileTest, SymbolRecordPinnedAndFileRoundTripsByteIdentical) {
    Tool2->Generator().SetCounter(1);
    TvlObject* a = Sym(Tool, {100, -50});
    TvlObject* second = Sym(Tool2, {300, 40});
    Tool2->CreateSlaveAt(a, 12, 7);
    Doc->Objects().SetName(u"Plan");
    // A line from a point to the second symbol, hanging on it.
    auto* lines = NewComponent<TvlLines>(Form);
    lines->SetDrawForm(Box);
    auto* line = static_cast<TLineObj*>(Sym(lines, {-20, 30}));
    line->SetPos2({300, 40});
    line->SetMaster2(second);

    // The first symbol's record: class, identity, state, position, reserved, angle.
    const Bytes b = Body();
    const size_t first = 2 + 2 * 2 + 4 + 10;
    const Bytes rec(b.begin() + first, b.begin() + first + 24);
    TBytes want;
    want.i16(1).i16(1).i16(0x0001); // visible
    want.i32(100).i32(-50).i16(0).i16(0).i32(0).i16(0);
    EXPECT_EQ(rec, want.v);

    const std::string p1 = TempPath("round1.vld"), p2 = TempPath("round2.vld");
    ASSERT_EQ(Doc->SaveToFile(p1), TSaveResult::srSaved);
    const std::vector<std::string> before = Drawing();
    Doc->Clear();
    ASSERT_TRUE(Doc->LoadFromFile(p1));
    EXPECT_EQ(Drawing(), before);
    ASSERT_EQ(Doc->SaveToFile(p2), TSaveResult::srSaved);
    EXPECT_EQ(ReadFile(p1), ReadFile(p2));
    EXPECT_EQ(Doc->Counters(), (TCounters{2, 2}));
    EXPECT_TRUE(static_cast<TLineObj*>(Doc->ObjectAt(3, 0))->State.Contains(TIndividualFlag::isP2Slave));
}

TEST(Versions, TextsAndComponents) {
    EXPECT_EQ(GetVersionString(int16_t{0x4631}), u"4.6.3.1");
    EXPECT_EQ(GetVersionString(int32_t{0x01000000}), u"1.0.0.0");
    EXPECT_EQ(GetVersionString(int32_t{0x0A0B0C0D}), u"10.11.12.13");
    EXPECT_EQ(GetMajorVersion(-0x02000000), 2);
    EXPECT_EQ(GetVersionBuild(-0x02000005), 5);
    EXPECT_EQ(WidenVersion(0x1203), 0x01020003u);
}

TEST(Versions, HeadersOfEveryGeneration) {
    auto read = [](const Bytes& b, int64_t& pos) {
        TMemoryStream s(b);
        TvlFileHeader h = ReadAnyFileHeader(s);
        pos = s.Position();
        return h;
    };
    int64_t pos = -1;
    TvlFileHeader h = read(TBytes{}.i16(-0x4631).i16(0).i32(-3).i32(0x01000000).i32(0x15000000).v, pos);
    EXPECT_EQ(pos, 16);
    EXPECT_EQ(h.AppID, 0xFFFFFFFDu);
    h = read(TBytes{}.i16(-0x3040).i16(-2).i16(0x1203).i16(0x0800).i32(0).v, pos);
    EXPECT_EQ(pos, 8);
    EXPECT_EQ(h.Velloran, -0x3040);
    EXPECT_EQ(h.AppID, 0xFFFFFFFEu);
    EXPECT_EQ(h.AppVersion, 0x01020003u);
    EXPECT_EQ(h.HostVersion, 0x00080000);
    h = read(TBytes{}.i16(5).i16(0).v, pos);
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(h.Velloran, -4608);
    EXPECT_EQ(h.HostVersion, -8192);
    Bytes shortHeader{0xCF, 0xB9, 0, 0};
    EXPECT_THROW(read(shortHeader, pos), EReadError);
}

TEST(Application, IdentityIsHeldBackUntilCommitted) {
    TScopedValue<int32_t> id(ThisAppID, 3), version(ThisAppVersion, 0x02000000);
    {
        TvlApplication app;
        EXPECT_EQ(ThisAppID, -1);
        app.SetAppID(42);
        app.SetVersionMinor(5);
        EXPECT_EQ(ThisAppID, -1);
        EXPECT_EQ(ThisAppVersion, 0x02000000);
        app.Commit();
        EXPECT_EQ(app.AppID(), 42);
        EXPECT_EQ(app.Version(), u"2.5.0.0");
        app.SetVersionBuild(200); // 0..127
        EXPECT_EQ(app.VersionBuild(), 72);
        app.SetAppVersion(0x1203);
        EXPECT_EQ(app.AppVersion(), 0x01020003);
    }
    EXPECT_EQ(ThisAppID, 0);
    EXPECT_EQ(ThisAppVersion, 0x01000000);
}

} // namespace
} // namespace vl::test
