#include <gtest/gtest.h>

#include "velloran/foundations/stream.h"
#include "velloran/generators/generator.h"
#include "velloran/generators/txt_generator.h"
#include "velloran/platform/graphics.h"
#include "velloran/platform/headless_services.h"
#include "velloran/scale/scale_setting.h"
#include "view/fake_canvas.h"

namespace vl {
namespace {

using GO = TGeneratorOption;

TEST(GeneratorFont, FixedSizeFacesAreRenamedInTheArgument) {
    THeadlessServices services;
    TServicesScope scope{services};
    TGenerator g;
    const std::pair<String, String> cases[] = {
        {u"MS Sans Serif", u"Arial"}, {u"System", u"Arial"}, {u"MS Serif", u"Times New Roman"},
        {u"Courier", u"Times New Roman"}, {u"Arial", u"Arial"}, {u"Courier New", u"Courier New"},
        {u"system", u"system"},
    };
    for (const auto& [given, kept] : cases) {
        TFont f{.Name = given, .Height = -17, .Style = fsItalic};
        g.SetFont(f);
        EXPECT_EQ(f.Name, kept);
        EXPECT_EQ(g.Font(), f);
    }
    EXPECT_EQ(services.BeepCount(), 7);
}

// Measures text as wide as half the height per character, except in the
// one-size face "Fixedsys"; remembers the fonts it measured with.
class TMeasuringCanvas : public vltest::TFakeCanvas {
public:
    std::vector<TFont> Measured;
    TSize TextExtent(const String& s) override {
        Measured.push_back(Font());
        const int32_t per = Font().Name == u"Fixedsys" ? 8 : std::abs(Font().Height) / 2;
        return {static_cast<int32_t>(s.size()) * per, 0};
    }
};

struct FontScalableTest : ::testing::Test {
    TMeasuringCanvas Canvas;
    TScaleSetting Mapping{&Canvas};
    TActScaleSetScope InForce{&Mapping};
};

TEST_F(FontScalableTest, MeasuresUprightAtTwoHeights) {
    EXPECT_FALSE(TCustomGenerator::FontIsScalable(TFont{.Name = u"sYSTEM"}));
    EXPECT_TRUE(Canvas.Measured.empty()) << "the system face is known not to scale";
    const TFont before{.Name = u"Canvas"};
    Canvas.SetFont(before);
    const TFont f{.Name = u"Arial", .Height = -13, .Style = fsBold, .Charset = 0, .Escapement = 900};
    EXPECT_TRUE(TCustomGenerator::FontIsScalable(f));
    ASSERT_EQ(Canvas.Measured.size(), 2u);
    EXPECT_EQ(Canvas.Measured[1], (TFont{.Name = u"Arial", .Height = -26, .Style = fsBold}));
    EXPECT_EQ(Canvas.Font(), before) << "the canvas gets its font back";
    EXPECT_FALSE(TCustomGenerator::FontIsScalable(TFont{.Name = u"Fixedsys"}));
}

TEST_F(FontScalableTest, GeneratorCachesItsAnswerPerFont) {
    TGenerator g, h;
    EXPECT_TRUE(g.FontIsScalable());
    EXPECT_TRUE(g.FontIsScalable());
    EXPECT_EQ(Canvas.Measured.size(), 2u);
    TFont fixed{.Name = u"Fixedsys"};
    g.SetFont(fixed);
    EXPECT_FALSE(g.FontIsScalable()) << "not answered from the old font";
    {
        TActScaleSetScope none(nullptr);
        EXPECT_FALSE(h.FontIsScalable());
    }
    EXPECT_TRUE(h.FontIsScalable()) << "nothing cached without a canvas";
}

TEST(Generator, SetPictureTakesItsSizeUnlessStretched) {
    TPicture pic;
    pic.SetGraphic(std::make_unique<TBitmap>(32, 16));
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

TEST(Generator, FontHandleKeepsTheSmallestHeight) {
    auto handleOf = [](int32_t h) { TLogFont lf; lf.lfHeight = h; return CreateFontHandle(lf); };
    TGenerator g;
    for (int32_t h : {-20, -12, -30, 12}) g.SetFontHandle(handleOf(h), h);
    EXPECT_EQ(g.FontHandle()->LogFont.lfHeight, -12) << "by absolute value; a tie keeps the cached one";
    EXPECT_EQ(g.CurrFontHeight(), -12);
    g.ReleaseFontHandle();
    g.SetFontHandle(handleOf(-40), -40);
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

TEST(TextAlign, PersistAndBadBytes) {
    TTextAlign a, b;
    a.SetHorz(THorzAlign::haRight);
    a.SetVert(TVertAlign::vaCenter);
    TMemoryStream s;
    for (TPstMode m : {TPstMode::pstSave, TPstMode::pstCopy, TPstMode::pstPaste, TPstMode::pstConnect})
        a.Persist(s, m);
    EXPECT_EQ(s.Bytes(), (std::vector<uint8_t>{0x02, 0x01}));
    s.SetPosition(0);
    b.Persist(s, TPstMode::pstLoad);
    EXPECT_EQ(std::pair(b.Horz(), b.Vert()), std::pair(THorzAlign::haRight, TVertAlign::vaCenter));
    // Unknown values fall back to the defaults; a lone byte is a read error.
    TMemoryStream bad(std::vector<uint8_t>{0x07, 0xFF, 0x01});
    b.Persist(bad, TPstMode::pstLoad);
    EXPECT_EQ(std::pair(b.Horz(), b.Vert()), std::pair(THorzAlign::haLeft, TVertAlign::vaTop));
    EXPECT_THROW(b.Persist(bad, TPstMode::pstLoad), EReadError);
}

} // namespace
} // namespace vl
