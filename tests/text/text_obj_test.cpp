#include "text_fixture.h"
#include "velloran/foundations/errors.h"
#include "velloran/platform/detail/emf_reader.h"
#include "velloran/platform/detail/emf_records.h"
#include "velloran/platform/rotated_drawing.h"

using namespace vl;
using namespace vl::test;

TEST_F(TextTest, ABreakWidthLeavesRotationAlone) {
    // Unlike the older text generator's.
    TextGen().SetOptions({TGeneratorOption::goRotation});
    TextGen().SetWordBreak(10);
    EXPECT_TRUE(TextGen().Options().Contains(TGeneratorOption::goRotation));
}

TEST_F(TextTest, LoadingReplacesOnlyOutdatedFaceNames) {
    const std::pair<String, String> cases[] = {{u"MS Sans Serif", u"Arial"},
                                               {u"System", u"Arial"},
                                               {u"MS Serif", u"Times New Roman"},
                                               {u"Courier", u"Times New Roman"},
                                               {u"Courier New", u"Courier New"},
                                               {u"system", u"system"}};
    for (const auto& [stored, loaded] : cases) {
        TextGen().SetFontFace(stored, 30);
        Text->Loaded();
        EXPECT_EQ(TextGen().Font().Name, loaded) << std::string(stored.begin(), stored.end());
    }
}

TEST_F(TextTest, ObjectsNeedATextGeneratorAndLabelsAShape) {
    EXPECT_THROW(TTextObj{Tool}, Exception);
    LabGen().SetShape(TShapetype::stLine);
    EXPECT_THROW(TTxtLabObj{Labs}, Exception);
}

TEST_F(TextTest, ANewTextShowsItsIdentity) {
    TvlObject* o = Text->SetNewObj({200, 100});
    ASSERT_NE(o, nullptr);
    ASSERT_GT(o->ObjID, 0);
    EXPECT_EQ(o->GetText(), String(u"") + static_cast<char16_t>(u'0' + o->ObjID));
    EXPECT_EQ(o->GetPos(), (TPoint{200, 100}));
}

TEST_F(TextTest, BlankTextLeavesTheObjectWithoutText) {
    TTextObj* o = Make<TTextObj>(Text, u"Hello");
    EXPECT_EQ(o->GetWidth(), 75);
    EXPECT_EQ(o->GetHeight(), 30);
    for (const String& blank : {String(u"   \r\n  \t"), String()}) {
        o->SetText(blank);
        EXPECT_FALSE(o->HasText());
        EXPECT_EQ(o->GetText(), u"");
    }
    // The extent stays as it was.
    EXPECT_EQ(o->GetWidth(), 75);
}

TEST_F(TextTest, NormalTextIsMeasuredAgainWhenTheScaleChanges) {
    TTextObj* o = Make<TTextObj>(Text, u"Hello");
    TextGen().SetFontFace(u"Arial", 40);
    ActScaleSet->State.Exclude(TScaleFlag::scBoundsChanged);
    o->AdjustToScale();
    EXPECT_EQ(o->GetWidth(), 100);
    EXPECT_TRUE(ActScaleSet->State.Contains(TScaleFlag::scBoundsChanged));
}

// A WYSIWYG text keeps its logical width at every scale from 1:1 to 1:5000,
// also after the view's font cache was dropped.
TEST_F(TextTest, WysiwygWidthStaysAcrossScales) {
    TextGen().SetWYSIWYG(true);
    TTextObj* o = Make<TTextObj>(Text, u"Room 101");
    const int32_t w = o->GetWidth();
    for (double s : {1.0, 0.5, 0.1, 0.02, 0.01, 0.002, 0.001, 0.0002}) {
        ActScaleSet->SetScale(s);
        Text->CheckScaling();
        Text->ReleaseResources();
        o->AdjustToScale();
        EXPECT_EQ(o->GetWidth(), w) << s;
        Text->ObjectFont(o);
        EXPECT_NEAR(Cv->TextExtent(o->RefText()).cx, w, 1) << s;
    }
    // A larger face draws smaller: the search steps down to the height that
    // fills the width again.
    ActScaleSet->SetScale(1.0);
    TextGen().SetFontFace(u"Arial", 40);
    Text->CheckScaling();
    Text->ReleaseResources();
    o->AdjustToScale();
    EXPECT_EQ(o->GetWidth(), w);
    EXPECT_EQ(TextGen().CurrFontHeight(), 30);
    EXPECT_EQ(o->GetFontHandle().Height, 30);
}

TEST_F(TextTest, TextTooSmallToReadIsADottedLine) {
    TTextObj* o = Make<TTextObj>(Text, u"Hello");
    o->SetPos({100, 50});
    ActScaleSet->SetScale(0.05); // 30 units = 0.55 pixels
    EXPECT_FALSE(o->GetFontCanDisplay());
    o->Show();
    const auto rs = Records();
    EXPECT_TRUE(Types(rs, {emr::EXTTEXTOUTW}).empty());
    EXPECT_EQ(Types(rs, {emr::LINETO}).size(), 1u);
}

TEST_F(TextTest, WysiwygAlignmentShiftsANarrowerText) {
    TextGen().SetWYSIWYG(true);
    TextGen().TextAlign().SetHorz(THorzAlign::haRight);
    TextGen().TextAlign().SetVert(TVertAlign::vaBottom);
    TTextObj* o = Make<TTextObj>(Text, u"Hello");
    // The stored box is wider and higher than the text measures.
    TMemoryStream s;
    o->SaveToStream(s);
    std::vector<uint8_t> bytes = s.Bytes();
    const size_t ext = bytes.size() - 8;
    bytes[ext] = 95; // cx 95 instead of 75
    bytes[ext + 4] = 40; // cy 40 instead of 30
    TMemoryStream in(bytes);
    in.ReadInt16();
    o->LoadFromStream(in);
    Text->ObjectFont(o);
    EXPECT_EQ(o->AlignOffs(), (TPoint{20, 10}));
}

TEST_F(TextTest, RotatedDefaultFaceUsesThePlatformFace) {
    TextGen().SetOptions({TGeneratorOption::goRotation});
    TextGen().SetFontFace(u"default", 30);
    TTextObj* o = Make<TTextObj>(Text, u"Hi");
    o->SetAlpha_DEG(90);
    int32_t h = 0;
    const auto f = o->FindNewFont(h, false);
    EXPECT_EQ(f->LogFont.lfFaceName, PlatformDefaultFontName);
    EXPECT_EQ(f->LogFont.lfEscapement, -900);
    EXPECT_EQ(h, 30);
    EXPECT_EQ(o->Internal(), 30);
}

TEST_F(TextTest, MovingTextShowsOutlineTextOrBoth) {
    TTextObj* o = Make<TTextObj>(Text, u"Hello");
    o->SetPos({100, 50});
    const struct {
        TWhileMoving Mode;
        bool Outline, Text;
    } cases[] = {{TWhileMoving::DispOutline, true, false},
                 {TWhileMoving::DispText, false, true},
                 {TWhileMoving::DispBoth, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Mode));
        TextGen().SetWhileMoving(c.Mode);
        Mf.Clear();
        Cv = std::make_unique<TMetafileCanvas>(Mf);
        Box->ScaleSetting().SetCanvas(Cv.get());
        o->DrawShadow();
        const auto rs = Records();
        EXPECT_EQ(!Types(rs, {emr::LINETO}).empty(), c.Outline);
        const TEmfRecord* t = Last(rs, emr::EXTTEXTOUTW);
        ASSERT_EQ(t != nullptr, c.Text);
        // The moving text is grey.
        if (t) {
            EXPECT_EQ(Last(rs, emr::SETTEXTCOLOR)->DWord(8), clShadowText);
        }
    }
}
