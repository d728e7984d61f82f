#include <gtest/gtest.h>

#include "support/recording_canvas.h"
#include "velloran/generators/generator.h"
#include "velloran/view/scale_setting.h"

namespace vl {
namespace {

using test::TRecordingCanvas;

// Faces that come in one size only measure the same at every height.
int32_t MeasureWithBitmapFaces(const TFont& f, const String& s) {
    if (f.Name == u"Fixedsys") return static_cast<int32_t>(s.size()) * 8;
    return static_cast<int32_t>(s.size()) * (f.Height < 0 ? -f.Height : f.Height) / 2;
}

struct FontScalableTest : ::testing::Test {
    TRecordingCanvas Canvas;
    TScaleSetting Mapping{&Canvas};
    void SetUp() override {
        Canvas.MeasureText = MeasureWithBitmapFaces;
        ActScaleSet = &Mapping;
    }
    void TearDown() override { ActScaleSet = nullptr; }
};

TEST_F(FontScalableTest, MeasuresAtTwoHeightsAndRestoresTheCanvasFont) {
    TFont before;
    before.Name = u"Canvas";
    Canvas.SetFont(before);

    TFont f;
    f.Name = u"Arial";
    f.Height = -13;
    f.Style = fsBold | fsItalic;
    f.Orientation = 900;
    f.Charset = ANSI_CHARSET;
    EXPECT_TRUE(TCustomGenerator::FontIsScalable(f));
    ASSERT_EQ(Canvas.MeasuredFonts.size(), 2u);
    EXPECT_EQ(Canvas.MeasuredFonts[0].Height, -13);
    EXPECT_EQ(Canvas.MeasuredFonts[1].Height, -26);
    for (const TFont& m : Canvas.MeasuredFonts) {
        EXPECT_EQ(m.Name, u"Arial");
        EXPECT_EQ(m.Style, fsBold | fsItalic);
        EXPECT_EQ(m.Orientation, 0) << "measured upright";
        EXPECT_EQ(m.Charset, DEFAULT_CHARSET);
    }
    EXPECT_EQ(Canvas.Font(), before);

    f.Name = u"Fixedsys";
    EXPECT_FALSE(TCustomGenerator::FontIsScalable(f));
}

TEST_F(FontScalableTest, SystemFaceIsNeverMeasured) {
    TFont f;
    for (const char16_t* name : {u"System", u"system", u"SYSTEM"}) {
        f.Name = name;
        EXPECT_FALSE(TCustomGenerator::FontIsScalable(f));
    }
    EXPECT_TRUE(Canvas.MeasuredFonts.empty());
    f.Name = u"Systems";
    EXPECT_TRUE(TCustomGenerator::FontIsScalable(f));
}

TEST_F(FontScalableTest, GeneratorCachesItsAnswer) {
    TGenerator g;
    EXPECT_TRUE(g.FontIsScalable());
    EXPECT_TRUE(g.FontIsScalable());
    EXPECT_EQ(Canvas.MeasuredFonts.size(), 2u) << "measured once";

    // A new font is measured anew, not answered from the old font's cache.
    TFont fixed;
    fixed.Name = u"Fixedsys";
    g.SetFont(fixed);
    EXPECT_FALSE(g.FontIsScalable());
    EXPECT_EQ(Canvas.MeasuredFonts.size(), 4u);

    // Without a canvas nothing is known yet, so nothing is cached.
    TGenerator h;
    ActScaleSet = nullptr;
    EXPECT_FALSE(h.FontIsScalable());
    ActScaleSet = &Mapping;
    EXPECT_TRUE(h.FontIsScalable());
}

} // namespace
} // namespace vl
