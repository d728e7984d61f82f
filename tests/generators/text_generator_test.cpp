#include <gtest/gtest.h>

#include "velloran/generators/txt_generator.h"
#include "velloran/platform/stream.h"

namespace vl {
namespace {

using GO = TGeneratorOption;

TEST(TxtGenerator, Defaults) {
    TTxtGenerator g;
    EXPECT_EQ(g.Shape(), TShapetype::stEllipse);
    EXPECT_EQ(g.FrameDX(), 1);
    EXPECT_EQ(g.FrameDY(), 1);
    EXPECT_EQ(g.WordBreak(), 0);
    EXPECT_EQ(g.TextAlign().Horz(), THorzAlign::haLeft);
    EXPECT_EQ(g.TextAlign().Vert(), TVertAlign::vaTop);
}

TEST(TxtGenerator, WordBreakAndRotationExcludeEachOther) {
    TTxtGenerator g;
    g.SetOptions({GO::goRotation, GO::goShadows});
    g.SetWordBreak(40);
    EXPECT_EQ(g.WordBreak(), 40);
    EXPECT_EQ(g.Options(), TGeneratorOptions{GO::goShadows}) << "other options survive";

    // Through a base reference the exclusion still holds.
    TCustomGenerator& base = g;
    base.SetOptions({GO::goRotation});
    EXPECT_EQ(g.WordBreak(), 0);
    EXPECT_TRUE(g.Options().Contains(GO::goRotation));

    // A width of 0 or less breaks nothing, so rotation may stay.
    g.SetWordBreak(0);
    g.SetWordBreak(-5);
    EXPECT_TRUE(g.Options().Contains(GO::goRotation));
    EXPECT_EQ(g.WordBreak(), -5);

    g.SetOptions({GO::goNoSizing});
    g.SetWordBreak(12);
    g.SetOptions({GO::goNoSizing, GO::goDontFind});
    EXPECT_EQ(g.WordBreak(), 12) << "options without rotation keep the break width";
}

TEST(TextAlign, PersistBytes) {
    TTextAlign a;
    a.SetHorz(THorzAlign::haRight);
    a.SetVert(TVertAlign::vaCenter);
    TMemoryStream s;
    a.Persist(s, TPstMode::pstSave);
    EXPECT_EQ(s.Bytes(), (std::vector<uint8_t>{0x02, 0x01}));

    for (TPstMode m : {TPstMode::pstCopy, TPstMode::pstPaste, TPstMode::pstConnect, TPstMode::pstConnectCopy})
        a.Persist(s, m);
    EXPECT_EQ(s.Size(), 2);
    EXPECT_EQ(s.Position(), 2) << "the other modes neither write nor read";

    TTextAlign b;
    s.SetPosition(0);
    b.Persist(s, TPstMode::pstLoad);
    EXPECT_EQ(b.Horz(), THorzAlign::haRight);
    EXPECT_EQ(b.Vert(), TVertAlign::vaCenter);
}

TEST(TextAlign, LoadRejectsDamage) {
    TTextAlign a;
    TMemoryStream bad(std::vector<uint8_t>{0x07, 0xFF});
    a.Persist(bad, TPstMode::pstLoad);
    EXPECT_EQ(a.Horz(), THorzAlign::haLeft);
    EXPECT_EQ(a.Vert(), TVertAlign::vaTop);

    TMemoryStream shortStream(std::vector<uint8_t>{0x01});
    EXPECT_THROW(a.Persist(shortStream, TPstMode::pstLoad), EReadError);
}

} // namespace
} // namespace vl
