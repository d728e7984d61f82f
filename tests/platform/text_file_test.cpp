#include <gtest/gtest.h>

#include "support/test_files.h"
#include "velloran/foundations/errors.h"
#include "velloran/platform/string_utils.h"
#include "velloran/platform/text_file.h"

using namespace vl;
using namespace vl::test;

TEST(TextFile, RoundTripIsUtf8OnDisk) {
    const std::string file = TempPath("roundtrip.txt");
    WriteFile(file, "old content that must disappear\n");
    const String lines[] = {u"map*****from**to", u"", u"Gr\u00FC\u00DFe \u20AC \U0001F600"};
    TTextFile out;
    out.Rewrite(file);
    for (const auto& l : lines) out.WriteLn(l);
    out.Close();
    EXPECT_EQ(ReadFile<std::string>(file), "map*****from**to\n\nGr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x98\x80\n");

    TTextFile in;
    in.Reset(file);
    for (const auto& l : lines) {
        ASSERT_FALSE(in.Eof());
        EXPECT_EQ(in.ReadLn(), l);
    }
    EXPECT_TRUE(in.Eof());
    EXPECT_THROW(in.ReadLn(), EInOutError);

    // A first line that starts with a byte-order mark character keeps it.
    out.Rewrite(file);
    out.WriteLn(u"\uFEFFmark");
    out.Close();
    in.Reset(file);
    EXPECT_EQ(in.ReadLn(), u"\uFEFFmark");
}

TEST(TextFile, ReadsForeignLineEndsMarksAndBadBytes) {
    const std::string file = TempPath("foreign.txt");
    // BOM, CRLF, lone CR, a stray continuation byte, a truncated sequence,
    // and a last line without a line end.
    WriteFile(file, "\xEF\xBB\xBF" "one\r\ntwo\rthree\x80x\n\xE2\x82\nlast");
    TTextFile in;
    in.Reset(file);
    EXPECT_EQ(in.ReadLn(), u"one");
    EXPECT_EQ(in.ReadLn(), u"two");
    EXPECT_EQ(in.ReadLn(), u"three\uFFFDx");
    EXPECT_EQ(in.ReadLn(), u"\uFFFD");
    EXPECT_FALSE(in.Eof());
    EXPECT_EQ(in.ReadLn(), u"last");
    EXPECT_TRUE(in.Eof());

    WriteFile(file, "");
    in.Reset(file);
    EXPECT_TRUE(in.Eof());
}

TEST(TextFile, FailuresRaiseTheFrameworkErrors) {
    TTextFile f;
    EXPECT_THROW(f.Reset(TempPath("does-not-exist.txt")), EFOpenError);
    EXPECT_THROW(f.Rewrite(TempPath("no-such-dir/x.txt")), EFCreateError);
    EXPECT_THROW(f.ReadLn(), EInOutError);
    EXPECT_THROW(f.WriteLn(u"x"), EInOutError);
    const std::string file = TempPath("append.txt");
    f.Rewrite(file);
    EXPECT_THROW(f.ReadLn(), EInOutError); // opened for output
    f.WriteLn(u"a");
    f.Close();
    f.Append(file);
    f.Write(u"b");
    f.Close();
    EXPECT_EQ(ReadFile<std::string>(file), "a\nb");
}

TEST(TextFile, Utf8ConversionRejectsMalformedInput) {
    // Overlong form of '/', an encoded surrogate, a code point past U+10FFFF.
    EXPECT_EQ(Utf8ToString("\xC0\xAF|\xED\xA0\x80|\xF4\x90\x80\x80"), u"\uFFFD|\uFFFD|\uFFFD");
    // Unpaired surrogates cannot be written as UTF-8.
    EXPECT_EQ(StringToUtf8(u"a\xD800" "b\xDC00"), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
    EXPECT_TRUE(SameText(u"PointTool", u"pointtool"));
    EXPECT_TRUE(SameText(u"\u00C4rger", u"\u00E4rger"));
    EXPECT_FALSE(SameText(u"Point", u"Points"));
}
