#include <velloran/foundations/stream_strings.h>
#include <velloran/foundations/stream.h>

#include <gtest/gtest.h>

#include <vector>

using namespace vl;

namespace {
std::vector<uint8_t> Bytes(std::initializer_list<int> v) { return {v.begin(), v.end()}; }
} // namespace

TEST(StreamStrings, WideGoldenBytesAndRoundTrip) {
    TMemoryStream s;
    SaveString(s, u"abc");
    SaveString(s, u"");
    EXPECT_EQ(s.Bytes(), Bytes({3, 0, 0, 0, 'a', 0, 'b', 0, 'c', 0, 0, 0, 0, 0}));
    s.SetPosition(0);
    EXPECT_EQ(LoadString_w(s), u"abc");
    EXPECT_EQ(LoadString_w(s), u"");
}

TEST(StreamStrings, BadLengthsAndWindows1252) {
    TMemoryStream negative(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 'x', 0}));
    EXPECT_EQ(LoadStringAnsi(negative), u"");
    EXPECT_EQ(negative.Position(), 4);
    for (auto* load : {&LoadString_w, &LoadStringAnsi}) {
        TMemoryStream huge(Bytes({0xFF, 0xFF, 0xFF, 0x7F, 'a', 0}));
        EXPECT_THROW(load(huge), EReadError);
    }
    TMemoryStream oneShort(Bytes({2, 0, 0, 0, 'a', 0, 'b'}));
    EXPECT_THROW(LoadString_w(oneShort), EReadError);
    TMemoryStream ansi(Bytes({5, 0, 0, 0, 'A', 0x80, 0x9F, 0xE9, 0x81}));
    EXPECT_EQ(LoadStringAnsi(ansi), u"A\u20AC\u0178\u00E9\u0081");
}

TEST(StreamStrings, StreamReadAnsiStringConsumesLenPlusOne) {
    struct Case { std::vector<uint8_t> in; size_t room; int32_t len; String out; int64_t pos; };
    const Case cases[] = {
        {Bytes({'a', 0x93, 0, 'z', 0, '!'}), 5, 4, {u'a', u'\u201C', 0}, 5},
        {Bytes({'a', 'b', 'c'}), 5, 2, {u'a', u'b', 0}, 3}, // unterminated
        {Bytes({'a', 'b', 'c', 'd', 0}), 2, 4, {u'a', 0}, 5}, // room short of Len + 1
    };
    for (const Case& c : cases) {
        TMemoryStream s(c.in);
        char16_t dest[5] = {};
        StreamReadAnsiString(s, {dest, c.room}, c.len);
        EXPECT_EQ(String(dest, c.out.size()), c.out);
        EXPECT_EQ(s.Position(), c.pos);
    }
    char16_t dest[5];
    TMemoryStream truncated(Bytes({'a', 'b'}));
    EXPECT_THROW(StreamReadAnsiString(truncated, dest, 4), EReadError);
}
