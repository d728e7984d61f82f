#include "text_fixture.h"
#include "velloran/platform/detail/emf_reader.h"
#include "velloran/platform/detail/emf_records.h"

using namespace vl;
using namespace vl::test;
using V = std::vector<String>;

TEST_F(TextTest, BreaksAtWordEndsWithinTheCharacterCount) {
    // Long words are never split; hyphens and equals signs may end a line,
    // line breaks always do; text is counted in code units.
    const struct {
        String Text;
        int32_t Chars;
        V Lines;
        int32_t Width; // 0: not checked
    } cases[] = {
        {u"alpha beta", 5, {u"alpha", u"beta"}, 75},
        {u"abcd e", 4, {u"abcd", u"e"}, 0}, // a last letter after a space is a word of its own
        {u"a extraordinary b", 3, {u"a", u"extraordinary", u"b"}, 13 * 15},
        {u"well-known ab=cdef", 6, {u"well-", u"known", u"ab=", u"cdef"}, 0},
        {u"a\r\nb\nc\rd", 80, {u"a", u"b", u"c", u"d"}, 0},
        {u"top\r\n\r\nbottom\r\n", 80, {u"top", u"", u"bottom", u""}, 0}, // empty lines are kept
        {u"Größe Straße ÄÖÜ", 6, {u"Größe", u"Straße", u"ÄÖÜ"}, 6 * 15},
    };
    for (const auto& c : cases) {
        TTextWbrkObj* o = Wbrk(c.Text, c.Chars);
        EXPECT_EQ(LinesOf(*o), c.Lines);
        EXPECT_EQ(o->GetLineCount(), static_cast<int32_t>(c.Lines.size()));
        EXPECT_EQ(o->GetHeight(), o->GetLineCount() * o->GetLineHeight());
        if (c.Width) {
            EXPECT_EQ(o->GetWidth(), c.Width);
        }
    }
    EXPECT_EQ(Wbrk(u"a extraordinary b", 3)->RefText(), u"extraordinary");
    TTextWbrkObj* o = Wbrk(u"top\r\n\r\nbottom\r\n", 80);
    EXPECT_EQ(o->LineStart(2), 8);
    EXPECT_EQ(o->LineStart(9), -1);
}

TEST_F(TextTest, AWidthBelowOneCharacterPutsEachWordOnItsOwnLine) {
    TTextWbrkObj* o = Wbrk(u"ab cd ef", 80);
    o->SetWidth(1);
    EXPECT_EQ(LinesOf(*o), (V{u"ab", u"cd", u"ef"}));
    EXPECT_EQ(o->GetWidth(), 30);
}

TEST_F(TextTest, WithoutBreakWidthTheTextIsOneLine) {
    TTextWbrkObj* o = Wbrk(u"one two", 0);
    EXPECT_EQ(o->GetLineCount(), 1);
    EXPECT_EQ(o->GetLines(0), u"one two");
    EXPECT_EQ(o->GetLines(5), u"");
    o->SetText(u" \r\n");
    EXPECT_EQ(o->GetLineCount(), 0);
    EXPECT_EQ(o->Breaks(), nullptr);
}

TEST_F(TextTest, EditingLines) {
    TTextWbrkObj* o = Wbrk(u"alpha beta", 5);
    EXPECT_EQ(o->GetLines(5), u"");
    // The added line sets the break width, raised to the widest word.
    o->AddLine(u"x");
    EXPECT_EQ(LinesOf(*o), (V{u"alpha", u"beta", u"x"}));
    EXPECT_EQ(o->GetWidth(), 75);
    // A soft break becomes a hard one.
    o->ChangeLine(1, u"gamma");
    EXPECT_EQ(o->GetText(), u"alpha \r\ngamma\r\nx");
    o->InsertLine(1, u"b");
    EXPECT_EQ(LinesOf(*o), (V{u"alpha", u"b", u"gamma", u"x"}));
    o->SetLines(6, u"z");
    EXPECT_EQ(LinesOf(*o), (V{u"alpha", u"b", u"gamma", u"x", u"", u"", u"z"}));
    o->ChangeLine(12, u"none");
    EXPECT_EQ(o->GetLineCount(), 7);

    // An object without text takes the line as its text: there is nothing
    // to pad with.
    TTextWbrkObj* e = Wbrk({}, 5);
    e->SetLines(3, u"only");
    EXPECT_EQ(LinesOf(*e), (V{u"only"}));
    e->AssignLines({u"a", u"b"});
    EXPECT_EQ(LinesOf(*e), (V{u"a", u"b"}));
}

TEST_F(TextTest, DraggingTheLeftEdgeWidensAndBreaksAgainOnRelease) {
    TTextWbrkObj* o = Wbrk(u"aa bb cc dd", 5);
    o->SetPos({300, 100});
    ASSERT_EQ(LinesOf(*o), (V{u"aa bb", u"cc dd"}));
    const int32_t w = o->GetWidth();
    // The handle is found at the left edge only.
    TSizingHandleScope none(TSizingHandle::szNone);
    EXPECT_TRUE(o->SizingHandles({1, 40}, TSizeMode::smCheck));
    EXPECT_EQ(SizingHandle, TSizingHandle::szVLine1);
    o->SetSizing(true);
    o->MovePos({-20, 0});
    EXPECT_EQ(o->GetX(), 280);
    EXPECT_EQ(o->GetWidth(), w + 20);
    EXPECT_EQ(o->GetLineCount(), 2);
    o->MovePos({-60, 0});

    o->EndMove();
    EXPECT_EQ(LinesOf(*o), (V{u"aa bb cc", u"dd"}));
}

TEST_F(TextTest, MultiLineTextDrawsLineByLine) {
    TTextWbrkObj* o = Wbrk(u"alpha beta", 5);
    o->SetPos({100, 50});
    o->Show();
    std::vector<std::pair<String, TPoint>> out;
    for (const auto& r : Records())
        if (r.Type() == emr::EXTTEXTOUTW) out.emplace_back(EmfText(r), EmfTextOrigin(r));
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].first, u"alpha");
    EXPECT_EQ(out[1].first, u"beta");
    EXPECT_EQ(out[1].second.Y - out[0].second.Y, 30);
    EXPECT_EQ(out[1].second.X, out[0].second.X);
}
