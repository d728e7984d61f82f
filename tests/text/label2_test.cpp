#include "text_fixture.h"
#include "velloran/foundations/errors.h"
#include "velloran/text/txt_lab2_obj.h"

using namespace vl;
using namespace vl::test;

namespace {

// Headless metrics: a 20-unit font has 10-unit characters, so "abcd" is
// 40 x 20; with frame distances 4 and 3 the padded text is 48 x 26.
class Label2Test : public TextTest {
protected:
    void SetUp() override {
        TextTest::SetUp();
        Labs2 = NewComponent<TvlTextlabs2D>(Form);
        Labs2->SetDrawForm(Box);
        Gen().SetShape(TShapetype::stRectangle);
        Gen().SetFrameDX(4);
        Gen().SetFrameDY(3);
        Gen().SetFontFace(u"Arial", 20);
    }
    TTxtLab2Generator& Gen() { return static_cast<TTxtLab2Generator&>(Labs2->Generator()); }
    TTxtLab2Obj* Spanned(TPoint p1, TPoint p2, const String& text) {
        TTxtLab2Obj* l = Make<TTxtLab2Obj>(Labs2);
        l->SetPos(p1);
        l->SetPos2(p2);
        l->SetText(text);
        return l;
    }
    void Align(THorzAlign h, TVertAlign v) {
        Gen().TextAlign().SetHorz(h);
        Gen().TextAlign().SetVert(v);
    }
    // The text's box relative to the label's.
    static TRect TextIn(const TTxtLab2Obj& l) {
        const TTextWbrkObj& t = l.TextObj();
        return {t.GetMinX() - l.GetMinX(), t.GetMinY() - l.GetMinY(), t.GetMaxX() - l.GetMinX(),
                t.GetMaxY() - l.GetMinY()};
    }
    TvlTextlabs2D* Labs2 = nullptr;
};

} // namespace

TEST_F(Label2Test, LoadingRenamesTheTextFontAndLinesAreNoShape) {
    auto* fresh = NewComponent<TvlTextlabs2D>(Form);
    fresh->TxtGenerator().SetFontFace(u"Courier", 30);
    fresh->Loaded();
    EXPECT_EQ(fresh->Generator().Font().Name, u"Times New Roman");
    Gen().SetShape(TShapetype::stLine);
    EXPECT_THROW(TTxtLab2Obj{Labs2}, Exception);
}

TEST_F(Label2Test, TextIsPlacedByAlignmentAndASmallBoxGrowsToThePaddedText) {
    const struct {
        THorzAlign H;
        TVertAlign V;
        TPoint P2;
        TRect Box, Text; // the text's box relative to the label's
    } cases[] = {
        {THorzAlign::haRight, TVertAlign::vaBottom, {20, 10}, {0, 0, 48, 26}, {4, 3, 44, 23}},
        {THorzAlign::haLeft, TVertAlign::vaTop, {200, 100}, {0, 0, 200, 100}, {4, 3, 44, 23}},
        {THorzAlign::haCenter, TVertAlign::vaCenter, {200, 100}, {0, 0, 200, 100}, {80, 40, 120, 60}},
        {THorzAlign::haRight, TVertAlign::vaBottom, {200, 100}, {0, 0, 200, 100}, {156, 77, 196, 97}},
    };
    for (const auto& c : cases) {
        Align(c.H, c.V);
        TTxtLab2Obj* l = Spanned({0, 0}, c.P2, u"abcd");
        EXPECT_EQ((TRect{l->GetMinX(), l->GetMinY(), l->GetWidth(), l->GetHeight()}), c.Box);
        EXPECT_EQ(TextIn(*l), c.Text);
    }
}

TEST_F(Label2Test, MoreLinesKeepTheBoxWhileTheyFit) {
    Labs2->TxtGenerator().SetWordBreak(4);
    TTxtLab2Obj* l = Spanned({0, 0}, {200, 100}, u"abcd");
    l->SetText(u"abcd efgh ijkl");
    EXPECT_EQ(l->TextObj().GetLineCount(), 3);
    EXPECT_EQ(l->GetHeight(), 100);
    l->SetText(u"abcd efgh ijkl mnop qrst");
    EXPECT_EQ(l->GetHeight(), 5 * 20 + 6);
}

TEST_F(Label2Test, EllipseGrowsUntilTheTextCornersAreInside) {
    Gen().SetShape(TShapetype::stEllipse);
    Align(THorzAlign::haCenter, TVertAlign::vaCenter);
    for (TPoint p2 : {TPoint{30, 20}, TPoint{60, 22}, TPoint{50, 200}}) {
        TTxtLab2Obj* l = Spanned({0, 0}, p2, u"abcd");
        const TRect t = TextIn(*l);
        const double a = l->GetWidth() / 2.0, b = l->GetHeight() / 2.0;
        for (TPoint c : {TPoint{t.Left, t.Top}, TPoint{t.Right, t.Bottom}}) {
            const double x = (c.X - a) / a, y = (c.Y - b) / b;
            EXPECT_LE(x * x + y * y, 1.05) << p2.X << ',' << p2.Y;
        }
    }
}

TEST_F(Label2Test, ResizingBreaksTheTextToTheNewWidth) {
    Labs2->TxtGenerator().SetWordBreak(20);
    TTxtLab2Obj* l = Spanned({0, 0}, {300, 100}, u"abcd efgh ijkl");
    ASSERT_EQ(l->TextObj().GetLineCount(), 1);
    TSizingHandleScope handle(TSizingHandle::szX2Y2);
    l->SetPos2({110, 100});
    l->EndMove();
    // Round(110 cos(asin(20 / 100))) - 8 = 100 units: two words a line.
    EXPECT_EQ(l->TextObj().GetLineCount(), 2);
    EXPECT_EQ(l->GetWidth(), 110);
    // Without re-breaking, the box grows around the unbroken text instead.
    Gen().SetTextHandling(TTextHandling::thAdjustOutline);
    TTxtLab2Obj* o = Spanned({0, 0}, {300, 100}, u"abcd efgh ijkl");
    o->SetPos2({110, 100});
    o->EndMove();
    EXPECT_EQ(o->TextObj().GetLineCount(), 1);
    EXPECT_EQ(o->GetWidth(), 140 + 8);
}

TEST_F(Label2Test, RecordHoldsBothCornersAndTheText) {
    TTxtLab2Obj* l = Spanned({100, 50}, {160, 90}, u"Ab");
    l->ObjID = 9;
    l->SetVisible(true);
    const Bytes golden{
        6, 0, 9, 0, 1, 0, 100, 0, 0, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // first corner, angle
        160, 0, 0, 0, 90, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,                      // second corner
        6, 0, 0, 0, 0x10, 0, 6, 0, 9, 0, 0, 0, 0, 0, 4, 0, 3, 0, 0, 0, 0, 0, 0, 0, // the text, at (4, 3)
        2, 0, 0, 0, 'A', 0, 'b', 0, 0, 0, 20, 0, 0, 0, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_EQ(Saved(*l), golden);
    ExpectTruncationsFail<TTxtLab2Obj>(Labs2, golden);
    TMemoryStream in(golden);
    in.ReadInt16();
    TTxtLab2Obj* r = Make<TTxtLab2Obj>(Labs2);
    r->LoadFromStream(in);
    EXPECT_EQ(r->GetText(), u"Ab");
    EXPECT_EQ(r->GetPos2(), (TPoint{160, 90}));
    EXPECT_EQ(r->TextObj().GetMaster(), r);
    EXPECT_EQ(r->TextObj().GetMinX(), 104);
}
