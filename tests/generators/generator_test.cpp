#include <gtest/gtest.h>

#include "velloran/generators/generator.h"

namespace vl {
namespace {

TEST(Generator, Defaults) {
    TGenerator g;
    EXPECT_EQ(g.Shape(), TShapetype::stRectangle);
    EXPECT_TRUE(g.Options().Empty());
    EXPECT_EQ(g.Width(), 0);
    EXPECT_EQ(g.SlaveX(), 0);
    EXPECT_EQ(g.FontHandle(), nullptr);
    EXPECT_TRUE(g.Picture().Empty());

    TPtGenerator p;
    EXPECT_EQ(p.Width(), 20);
    EXPECT_EQ(p.Height(), 20);
    EXPECT_EQ(p.SlaveX(), 10);
    EXPECT_EQ(p.SlaveY(), 10);
    EXPECT_EQ(p.HotspotX(), 0);
    EXPECT_EQ(p.HotspotY(), 0);
}

// A graphic that only has a size.
class TSizedGraphic : public TGraphic {
public:
    TSizedGraphic(int32_t w, int32_t h) : FW(w), FH(h) {}
    int32_t Width() const override { return FW; }
    int32_t Height() const override { return FH; }
    void SaveToStream(TStream&) const override {}
    void LoadFromStream(TStream&) override {}
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TSizedGraphic>(*this); }

private:
    int32_t FW, FH;
};

TPicture PictureOf(int32_t w, int32_t h) {
    TPicture pic;
    pic.SetGraphic(std::make_unique<TSizedGraphic>(w, h));
    return pic;
}

TEST(Generator, SetPictureTakesItsSizeUnlessStretched) {
    TPtGenerator g;
    g.SetShape(TShapetype::stEllipse);
    const TPicture pic = PictureOf(32, 16);
    g.SetPicture(pic);
    EXPECT_EQ(g.Width(), 32);
    EXPECT_EQ(g.Height(), 16);
    EXPECT_EQ(g.Shape(), TShapetype::stRectangle);
    EXPECT_EQ(g.Picture().Width(), 32);
    EXPECT_NE(g.Picture().Graphic(), pic.Graphic()) << "the generator owns a copy";

    TPtGenerator s;
    s.SetOptions({TGeneratorOption::goStretchPicture});
    s.SetShape(TShapetype::stCircle);
    s.SetPicture(pic);
    EXPECT_EQ(s.Width(), 20);
    EXPECT_EQ(s.Height(), 20);
    EXPECT_EQ(s.Shape(), TShapetype::stRectangle);
    EXPECT_EQ(s.Picture().Height(), 16);

    // An empty picture clears the graphic and, unstretched, the size.
    g.SetPicture(TPicture{});
    EXPECT_TRUE(g.Picture().Empty());
    EXPECT_EQ(g.Width(), 0);
}

std::unique_ptr<TFontHandle> HandleOf(int32_t height) {
    TLogFont lf;
    lf.lfHeight = height;
    return CreateFontHandle(lf);
}

TEST(Generator, FontHandleKeepsTheSmallestHeight) {
    TGenerator g;
    g.SetFontHandle(HandleOf(-20), -20);
    ASSERT_NE(g.FontHandle(), nullptr);
    EXPECT_EQ(g.CurrFontHeight(), -20);

    g.SetFontHandle(HandleOf(-12), -12);
    EXPECT_EQ(g.FontHandle()->LogFont.lfHeight, -12);
    EXPECT_EQ(g.CurrFontHeight(), -12);

    g.SetFontHandle(HandleOf(-30), -30);
    EXPECT_EQ(g.FontHandle()->LogFont.lfHeight, -12);
    EXPECT_EQ(g.CurrFontHeight(), -12);

    // Compared by absolute value; equal heights keep the cached font.
    g.SetFontHandle(HandleOf(12), 12);
    EXPECT_EQ(g.FontHandle()->LogFont.lfHeight, -12);
    g.SetFontHandle(HandleOf(8), 8);
    EXPECT_EQ(g.FontHandle()->LogFont.lfHeight, 8);

    g.ReleaseFontHandle();
    g.SetFontHandle(HandleOf(-40), -40);
    EXPECT_EQ(g.CurrFontHeight(), -40) << "after a release any height is taken";
}

} // namespace
} // namespace vl
