#include "support/file_headers.h"
#include "text_fixture.h"
#include "velloran/foundations/errors.h"

using namespace vl;
using namespace vl::test;
using B = std::vector<uint8_t>;

namespace {

B operator+(const B& a, const B& b) { return Cat({a, b}); }

// Base and point record of a free, visible object at (100, 50), angle 0.
B PointRecord(uint8_t classNr, uint8_t id) {
    return {classNr, 0, id, 0, 1, 0, 100, 0, 0, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
}
// "Ab" as a zero-terminated UTF-16 text, then a 30 x 30 extent.
const B TextAb{2, 0, 0, 0, 'A', 0, 'b', 0, 0, 0, 30, 0, 0, 0, 30, 0, 0, 0};
const B NoBreaks(8, 0);

class TextPersistence : public TextTest {
protected:
    template <typename T> T* Placed(TvlCreator* c, const String& text, uint16_t id) {
        T* o = Make<T>(c, text);
        o->ObjID = id;
        o->SetPos({100, 50});
        o->SetVisible(true);
        return o;
    }
};

} // namespace

TEST_F(TextPersistence, TextRecord) {
    TTextObj* o = Placed<TTextObj>(Text, u"Ab", 7);
    const B golden = PointRecord(4, 7) + TextAb;
    ASSERT_EQ(Saved(*o), golden);
    TTextObj* r = Read<TTextObj>(Text, golden);
    EXPECT_EQ(r->GetText(), u"Ab");
    EXPECT_EQ(r->GetWidth(), 30);
    ExpectTruncationsFail<TTextObj>(Text, golden);
    // A length of 0 means no text.
    B none = PointRecord(4, 7) + B{0, 0, 0, 0, 30, 0, 0, 0, 30, 0, 0, 0};
    EXPECT_FALSE(Read<TTextObj>(Text, none)->HasText());
    // Damaged extents are cut to what sums of positions can hold.
    B huge = PointRecord(4, 7) + B{2, 0, 0, 0, 'A', 0, 'b', 0, 0, 0, 0xFB, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
    TTextObj* h = Read<TTextObj>(Text, huge);
    EXPECT_EQ(h->GetWidth(), 0);
    EXPECT_EQ(h->GetHeight(), MaxTextExtent);
}

TEST_F(TextPersistence, WordBreakingRecord) {
    TextGen().SetWordBreak(2);
    TTextWbrkObj* o = Placed<TTextWbrkObj>(Text, u"ab cd", 3);
    ASSERT_EQ(LinesOf(*o), (std::vector<String>{u"ab", u"cd"}));
    const B text{5, 0, 0, 0, 'a', 0, 'b', 0, ' ', 0, 'c', 0, 'd', 0, 0, 0, 30, 0, 0, 0, 30, 0, 0, 0};
    // Flag, record size, count, capacity, the entry, the reference line.
    const B breaks{1, 0, 0, 0, 0, 0, 0, 0, 2, 0, 1, 0, 0, 0};
    const B saved = Saved(*o);
    const B head = PointRecord(4, 3) + text + breaks;
    ASSERT_EQ(saved.size(), head.size() + 8);
    EXPECT_EQ(B(saved.begin(), saved.begin() + static_cast<std::ptrdiff_t>(head.size())), head);
    EXPECT_EQ(B(saved.end() - 4, saved.end()), (B{3, 0, 0, 0}));
    TTextWbrkObj* r = Read<TTextWbrkObj>(Text, saved);
    EXPECT_EQ(LinesOf(*r), (std::vector<String>{u"ab", u"cd"}));
    ExpectTruncationsFail<TTextWbrkObj>(Text, saved);

    // Without a break list eight zero bytes follow the text.
    TextGen().SetWordBreak(0);
    EXPECT_EQ(Saved(*Placed<TTextWbrkObj>(Text, u"Ab", 3)), PointRecord(4, 3) + TextAb + NoBreaks);
}

TEST_F(TextPersistence, DamagedBreakListsAreRefused) {
    TextGen().SetWordBreak(2);
    B saved = Saved(*Placed<TTextWbrkObj>(Text, u"ab cd", 3));
    const size_t list = PointRecord(4, 3).size() + 24 + 8;
    B wide = saved;
    wide[list] = 4; // four-byte entries
    EXPECT_THROW(Read<TTextWbrkObj>(Text, wide), EReadError);
    B capacity = saved;
    capacity[list + 6] = 0; // room for fewer entries than it counts
    EXPECT_THROW(Read<TTextWbrkObj>(Text, capacity), EReadError);
    B beyond = saved;
    beyond[list + 10] = 9; // a line end after the text
    EXPECT_THROW(Read<TTextWbrkObj>(Text, beyond), EReadError);
}

TEST_F(TextPersistence, LabelRecordHoldsItsText) {
    LabGen().SetShape(TShapetype::stRectangle);
    TTxtLabObj* o = Placed<TTxtLabObj>(Labs, u"Ab", 9);
    // The inner text: same creator, identity 0, a slave of the label at (1, 1).
    const B inner{5, 0, 0, 0, 0x10, 0, 5, 0, 9, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    const B golden = PointRecord(5, 9) + inner + TextAb + NoBreaks;
    ASSERT_EQ(Saved(*o), golden);
    TTxtLabObj* r = Read<TTxtLabObj>(Labs, golden);
    EXPECT_EQ(r->GetText(), u"Ab");
    EXPECT_EQ(r->TextObj().GetMaster(), r);
    EXPECT_EQ(r->GetWidth(), 32);
    EXPECT_EQ(r->TextObj().GetMinX(), r->GetMinX() + 1);
    ExpectTruncationsFail<TTxtLabObj>(Labs, golden);
}

TEST_F(TextPersistence, UnicodeTextRoundTripsAndOldHostsStoreEightBitText) {
    const String text = u"Größe 20 m² – Küche";
    TTextWbrkObj* o = Placed<TTextWbrkObj>(Text, text, 4);
    EXPECT_EQ(Read<TTextWbrkObj>(Text, Saved(*o))->GetText(), text);

    TFileHeaderScope host(HostVersion(0x08000000));
    const B ansi{5, 0, 0, 0, 'G', 'r', 0xF6, 0xDF, 'e', 0, 75, 0, 0, 0, 30, 0, 0, 0};
    TTextObj* r = Read<TTextObj>(Text, PointRecord(4, 1) + ansi);
    EXPECT_EQ(r->GetText(), u"Größe");
}
