// A bad file or a failing save never costs the drawing on screen or the
// file on disk.

#include "document/file_fixture.h"

#include "velloran/platform/string_utils.h"
#include "velloran/storage/infobox.h"

namespace vl::test {
namespace {

class FileFailureTest : public FileTest {
protected:
    void SetUp() override {
        FileTest::SetUp();
        // The drawing on screen that every failure must leave alone.
        TvlObject* m = Sym(Tool, {1, 2});
        Tool2->CreateSlaveAt(m, 3, 4);
        Screen = Drawing();
        ScreenCounters = Doc->Counters();
    }
    void ExpectScreenKept() {
        EXPECT_EQ(Drawing(), Screen);
        EXPECT_EQ(Doc->Counters(), ScreenCounters);
    }

    std::vector<std::string> Screen;
    TCounters ScreenCounters;
};

// An infobox that acts when the save reaches a given object.
class TActingInfobox : public TInfobox {
public:
    TActingInfobox(int32_t At, std::function<void()> Act) : TInfobox(nullptr, nullptr), FAt(At), FAct(std::move(Act)) {}
    void Count(int32_t Value) override {
        if (Value == FAt) FAct();
    }

private:
    int32_t FAt;
    std::function<void()> FAct;
};

TEST_F(FileFailureTest, TruncatedFileAtEveryOffsetKeepsTheDrawing) {
    const std::string keep = TempPath("screen.vld");
    ASSERT_EQ(Doc->SaveToFile(keep), TSaveResult::srSaved);
    std::vector<uint8_t> bytes;
    {
        // The file to cut: another drawing, made and saved, then the screen restored.
        TvlObject* a = Sym(Tool, {50, 60});
        Sym(Tool2, {70, 80});
        Tool->CreateSlaveAt(a, 1, 1);
        Doc->Objects().SetName(u"N");
        const std::string full = TempPath("full.vld");
        ASSERT_EQ(Doc->SaveToFile(full), TSaveResult::srSaved);
        bytes = ReadFile(full);
        ASSERT_TRUE(Doc->LoadFromFile(keep));
        ASSERT_EQ(Drawing(), Screen);
    }
    const std::string cut = TempPath("cut.vld");
    for (size_t n = 0; n < bytes.size(); ++n) {
        WriteFile(cut, Prefix(bytes, n));
        EXPECT_FALSE(Doc->LoadFromFile(cut)) << n;
        ASSERT_EQ(Drawing(), Screen) << "cut at " << n;
    }
    EXPECT_EQ(Doc->Objects().GetName(), u"");
    EXPECT_FALSE(Doc->State.Contains(TDataModFlag::dmLoading));
}

TEST_F(FileFailureTest, UnknownClassNumberKeepsTheDrawingAndAsksForAMapFile) {
    TBytes b;
    b.raw({0xCF, 0xB9, 0, 0}).i32(0).i32(0x01000000).i32(0x15000000);
    b.i32(0);
    b.i16(1).i16(1).i32(0);
    b.i16(9).i16(1).i16(1).i32(5).i32(5).i32(0).i32(0).i16(0);
    b.i16(0x8001);
    const std::string path = TempPath("unknown.vld");
    WriteFile(path, b.v);
    Svc.QueueAnswer(TModalResult::mrCancel);
    EXPECT_FALSE(Doc->LoadFromFile(path));
    ExpectScreenKept();
    ASSERT_EQ(Svc.Messages().size(), 1u);
    EXPECT_EQ(Svc.Messages()[0].Text, u"wrong file version - load map file?");
    EXPECT_EQ(Mapper, nullptr);
}

TEST_F(FileFailureTest, SlavesHangingOnAMissingMasterGoWithTheirChain) {
    TBytes b;
    b.raw({0xCF, 0xB9, 0, 0}).i32(0).i32(0x01000000).i32(0x15000000).i32(0);
    b.i16(1).i16(2).i32(0);
    // 1#1 hangs on the missing 1#99, 2#1 on 1#1; 1#2 is free.
    b.i16(1).i16(1).i16(0x0011).i16(1).i16(99).i32(0).i16(1).i16(1).i32(0).i16(0);
    b.i16(2).i16(1).i16(0x0011).i16(1).i16(1).i32(0).i16(2).i16(2).i32(0).i16(0);
    b.i16(1).i16(2).i16(0x0001).i32(5).i32(5).i32(0).i32(0).i16(0);
    b.i16(0x8001);
    const std::string path = TempPath("chain.vld");
    WriteFile(path, b.v);
    ASSERT_TRUE(Doc->LoadFromFile(path));
    EXPECT_EQ(Drawing(), (std::vector<std::string>{"1#2 5,5"}));
}

TEST_F(FileFailureTest, AbortingVersionCheckSkipsBodyAndTrailer) {
    const std::string path = TempPath("other.vld");
    ASSERT_EQ(Doc->SaveToFile(path), TSaveResult::srSaved);
    Doc->Clear();
    const std::vector<std::string> empty = Drawing();
    int16_t seen = 0;
    bool trailerRead = false;
    Doc->OnCheckFileVersion = [&](const TvlFileHeader& h, bool& abort) {
        seen = h.Velloran;
        abort = true;
    };
    Doc->OnFileStream = [&](TStream&, bool Loading) { trailerRead |= Loading; };
    EXPECT_FALSE(Doc->LoadFromFile(path));
    EXPECT_EQ(seen, -0x4631);
    EXPECT_FALSE(trailerRead);
    EXPECT_EQ(Drawing(), empty);
}

TEST_F(FileFailureTest, MissingFileOffersAnotherOrNothing) {
    const std::string other = TempPath("chosen.vld");
    ASSERT_EQ(Doc->SaveToFile(other), TSaveResult::srSaved);
    const std::string missing = TempPath("no-such-dir/missing.vld");
    EXPECT_FALSE(Doc->LoadFromFile(missing));
    ASSERT_EQ(Svc.FileDialogs().size(), 1u);
    EXPECT_EQ(Svc.FileDialogs()[0].Options.Title, Utf8ToString("File " + missing + " not found"));
    ExpectScreenKept();
    Doc->Clear();
    Svc.QueueFileName(other);
    EXPECT_TRUE(Doc->LoadFromFile(missing));
    ExpectScreenKept();
}

TEST_F(FileFailureTest, FailedOrCancelledSaveLeavesTheOldFile) {
    const std::string path = TempPath("kept.vld");
    ASSERT_EQ(Doc->SaveToFile(path), TSaveResult::srSaved);
    const std::vector<uint8_t> old = ReadFile(path);
    Sym(Tool, {9, 9});
    Sym(Tool, {19, 9});

    {
        TActingInfobox throwing(2, [] { throw EWriteError("disk full"); });
        TInfoboxScope box(&throwing);
        EXPECT_THROW(Doc->SaveToFile(path), EWriteError);
        EXPECT_EQ(ReadFile(path), old);
        EXPECT_FALSE(Doc->State.Contains(TDataModFlag::dmSaving));
    }
    {
        TActingInfobox cancelling(1, [] { Userbreak = true; });
        TInfoboxScope box(&cancelling);
        TUserbreakScope noBreak(false);
        EXPECT_EQ(Doc->SaveToFile(path), TSaveResult::srCancelled);
        EXPECT_EQ(ReadFile(path), old);
    }
    Doc->OnFileStream = [](TStream&, bool) { throw EWriteError("trailer"); };
    EXPECT_THROW(Doc->SaveToFile(path), EWriteError);
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_FALSE(std::filesystem::exists(path + ".saving"));
}

} // namespace
} // namespace vl::test
