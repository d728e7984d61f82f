#include <gtest/gtest.h>

#include "velloran/generators/generator.h"
#include "velloran/generators/txt_generator.h"
#include "velloran/platform/stream.h"

namespace vl {
namespace {

using GO = TGeneratorOption;

class TSizedGraphic : public TGraphic {
public:
    TSizedGraphic(int32_t w, int32_t h) : FW(w), FH(h) {}
    int32_t Width() const override { return FW; }
    int32_t Height() const override { return FH; }
    void SaveToStream(TStream&) const override {}
    void LoadFromStream(TStream&) override {}
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TSizedGraphic>(*this); }
    int32_t FW, FH;
};

TEST(Generator, SetPictureTakesItsSizeUnlessStretched) {
    TPicture pic;
    pic.SetGraphic(std::make_unique<TSizedGraphic>(32, 16));
    TPtGenerator g, s;
    g.SetShape(TShapetype::stEllipse);
    s.SetOptions({GO::goStretchPicture});
    g.SetPicture(pic);
    s.SetPicture(pic);
    EXPECT_EQ(TSize(g.Width(), g.Height()), TSize(32, 16));
    EXPECT_EQ(TSize(s.Width(), s.Height()), TSize(20, 20));
    EXPECT_EQ(g.Shape(), TShapetype::stRectangle);
    EXPECT_NE(g.Picture().Graphic(), pic.Graphic()) << "the generator owns a copy";
}

std::unique_ptr<TFontHandle> HandleOf(int32_t h) {
    TLogFont lf;
    lf.lfHeight = h;
    return CreateFontHandle(lf);
}

TEST(Generator, FontHandleKeepsTheSmallestHeight) {
    TGenerator g;
    for (int32_t h : {-20, -12, -30, 12}) g.SetFontHandle(HandleOf(h), h);
    EXPECT_EQ(g.FontHandle()->LogFont.lfHeight, -12) << "by absolute value; a tie keeps the cached one";
    EXPECT_EQ(g.CurrFontHeight(), -12);
    g.ReleaseFontHandle();
    g.SetFontHandle(HandleOf(-40), -40);
    EXPECT_EQ(g.CurrFontHeight(), -40);
}

TEST(TxtGenerator, WordBreakAndRotationExcludeEachOther) {
    TTxtGenerator g;
    g.SetOptions({GO::goRotation, GO::goShadows});
    g.SetWordBreak(40);
    EXPECT_EQ(g.Options(), TGeneratorOptions{GO::goShadows});
    static_cast<TCustomGenerator&>(g).SetOptions({GO::goRotation});
    EXPECT_EQ(g.WordBreak(), 0) << "also through the base class";
    g.SetWordBreak(0);
    EXPECT_TRUE(g.Options().Contains(GO::goRotation)) << "no width, no conflict";
}

TEST(TextAlign, Persist) {
    TTextAlign a;
    a.SetHorz(THorzAlign::haRight);
    a.SetVert(TVertAlign::vaCenter);
    TMemoryStream s;
    for (TPstMode m : {TPstMode::pstSave, TPstMode::pstCopy, TPstMode::pstPaste, TPstMode::pstConnect})
        a.Persist(s, m);
    EXPECT_EQ(s.Bytes(), (std::vector<uint8_t>{0x02, 0x01}));
    TTextAlign b;
    s.SetPosition(0);
    b.Persist(s, TPstMode::pstLoad);
    EXPECT_EQ(std::pair(b.Horz(), b.Vert()), std::pair(THorzAlign::haRight, TVertAlign::vaCenter));

    TMemoryStream bad(std::vector<uint8_t>{0x07, 0xFF, 0x01});
    b.Persist(bad, TPstMode::pstLoad);
    EXPECT_EQ(std::pair(b.Horz(), b.Vert()), std::pair(THorzAlign::haLeft, TVertAlign::vaTop));
    EXPECT_THROW(b.Persist(bad, TPstMode::pstLoad), EReadError);
}

} // namespace
} // namespace vl
