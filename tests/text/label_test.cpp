#include "text_fixture.h"
#include "velloran/platform/detail/emf_reader.h"
#include "velloran/platform/detail/emf_records.h"

using namespace vl;
using namespace vl::test;

namespace {

class LabelTest : public TextTest {
protected:
    TTxtLabObj* Label(TShapetype shape, int16_t frame, int32_t fontHeight, const String& text, int32_t wordBreak = 0) {
        LabGen().SetShape(shape);
        LabGen().SetFrameDX(frame);
        LabGen().SetFrameDY(frame);
        LabGen().SetWordBreak(wordBreak);
        static_cast<TCustomTxtGenerator2&>(LabGen()).SetFontFace(u"Arial", fontHeight);
        return Make<TTxtLabObj>(Labs, text);
    }
};

} // namespace

TEST_F(LabelTest, FrameFollowsTheTextByShape) {
    // 8 characters of a 12-unit font: 48 x 12.
    TTxtLabObj* r = Label(TShapetype::stRectangle, 1, 12, u"abcdefgh");
    EXPECT_EQ(r->GetWidth(), 50);
    EXPECT_EQ(r->GetHeight(), 14);
    EXPECT_EQ(r->TextObj().Pos.RelX, 1);
    EXPECT_EQ(r->TextObj().Pos.RelY, 1);

    // Two lines of 3 characters in a 20-unit font: 30 x 40.
    TTxtLabObj* c = Label(TShapetype::stCircle, 0, 20, u"abc def", 3);
    EXPECT_EQ(c->GetWidth(), 50);
    EXPECT_EQ(c->GetHeight(), 50);

    TTxtLabObj* s = Label(TShapetype::stSquare, 1, 12, u"abcdefgh");
    EXPECT_EQ(s->GetWidth(), 50);
    EXPECT_EQ(s->GetHeight(), 50);

    // The ellipse passes through the corners of the padded text.
    TTxtLabObj* e = Label(TShapetype::stEllipse, 1, 12, u"abcdefgh");
    const double a = e->GetWidth() / 2.0, b = e->GetHeight() / 2.0;
    const double x = 25, y = 7;
    EXPECT_NEAR(x * x / (a * a) + y * y / (b * b), 1.0, 0.1);
}

TEST_F(LabelTest, MoreLinesEnlargeTheFrame) {
    TTxtLabObj* l = Label(TShapetype::stRectangle, 1, 12, u"abc", 3);
    const int32_t h = l->GetHeight();
    l->SetText(u"abc def ghi");
    EXPECT_EQ(l->TextObj().GetLineCount(), 3);
    EXPECT_EQ(l->GetHeight(), h + 24);
    // The block keeps its width: the new words break at it.
    EXPECT_EQ(l->GetWidth(), 20);
}

TEST_F(LabelTest, LabelDrawsFrameThenTextInside) {
    TTxtLabObj* l = Label(TShapetype::stRectangle, 2, 12, u"abcd");
    l->SetPos({100, 50});
    l->SetVisible(true);
    l->Show();
    const auto rs = Records();
    const TEmfRecord* rect = Last(rs, emr::RECTANGLE);
    const TEmfRecord* text = Last(rs, emr::EXTTEXTOUTW);
    ASSERT_TRUE(rect && text);
    EXPECT_LT(rect, text);
    EXPECT_EQ(EmfText(*text), u"abcd");
    // The text is drawn at its own corner, 2 units inside the frame.
    EXPECT_EQ(Cv->Mapping().WindowOrg, (TPoint{-100, -50}));
}

TEST_F(LabelTest, DraggingAnEdgeBreaksTheTextAgain) {
    TTxtLabObj* l = Label(TShapetype::stRectangle, 1, 10, u"aa bb cc dd", 5);
    ASSERT_EQ(l->TextObj().GetLineCount(), 2);
    TSizingHandleScope none(TSizingHandle::szNone);
    ASSERT_TRUE(l->SizingHandles({l->GetWidth(), 5}, TSizeMode::smCheck));
    EXPECT_EQ(SizingHandle, TSizingHandle::szVLine2);
    l->SetSizing(true);
    l->MovePos({200, 0});
    l->EndMove();
    EXPECT_EQ(l->TextObj().GetLineCount(), 1);
    // The frame shrinks back around the one line.
    EXPECT_EQ(l->GetWidth(), 55 + 2);
}
