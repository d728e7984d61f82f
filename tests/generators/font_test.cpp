#include <gtest/gtest.h>

#include "velloran/generators/generator.h"
#include "velloran/platform/headless_services.h"
#include "velloran/view/scale_setting.h"
#include "view/fake_canvas.h"

namespace vl {
namespace {

TEST(GeneratorFont, FixedSizeFacesAreRenamedInTheArgument) {
    THeadlessServices services;
    SetServices(&services);
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
    SetServices(nullptr);
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
    void SetUp() override { ActScaleSet = &Mapping; }
    void TearDown() override { ActScaleSet = nullptr; }
};

TEST_F(FontScalableTest, MeasuresUprightAtTwoHeights) {
    EXPECT_FALSE(TCustomGenerator::FontIsScalable(TFont{.Name = u"sYSTEM"}));
    EXPECT_TRUE(Canvas.Measured.empty()) << "the system face is known not to scale";
    const TFont before{.Name = u"Canvas"};
    Canvas.SetFont(before);
    const TFont f{.Name = u"Arial", .Height = -13, .Style = fsBold, .Charset = 0, .Orientation = 900};
    EXPECT_TRUE(TCustomGenerator::FontIsScalable(f));
    ASSERT_EQ(Canvas.Measured.size(), 2u);
    EXPECT_EQ(Canvas.Measured[1], (TFont{.Name = u"Arial", .Height = -26, .Style = fsBold}));
    EXPECT_EQ(Canvas.Font(), before) << "the canvas gets its font back";
    EXPECT_FALSE(TCustomGenerator::FontIsScalable(TFont{.Name = u"Fixedsys"}));
}

TEST_F(FontScalableTest, GeneratorCachesItsAnswerPerFont) {
    TGenerator g;
    EXPECT_TRUE(g.FontIsScalable());
    EXPECT_TRUE(g.FontIsScalable());
    EXPECT_EQ(Canvas.Measured.size(), 2u);
    TFont fixed{.Name = u"Fixedsys"};
    g.SetFont(fixed);
    EXPECT_FALSE(g.FontIsScalable()) << "not answered from the old font";

    TGenerator h;
    ActScaleSet = nullptr;
    EXPECT_FALSE(h.FontIsScalable());
    ActScaleSet = &Mapping;
    EXPECT_TRUE(h.FontIsScalable()) << "nothing cached without a canvas";
}

} // namespace
} // namespace vl
