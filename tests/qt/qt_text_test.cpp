// Texts on a real raster canvas: WYSIWYG text keeps its logical width at
// every scale with real font metrics, and a turned label keeps its text
// inside its frame.

#include "qt_canvas_fixture.h"

#include <QPolygon>

#include <velloran/platform/component.h>
#include <velloran/scale/scale_setting.h>
#include <velloran/text/text_creators.h>
#include <velloran/text/txt_lab_obj.h>
#include <velloran/view/draw_box.h>

using namespace vl;

namespace {

class QtText : public QtCanvasFixture {
protected:
    void SetUp() override {
        QtCanvasFixture::SetUp();
        Box = NewComponent<TCustomDrawBox>(Form);
        Text = NewComponent<TvlText>(Form);
        Labs = NewComponent<TvlTextlabs>(Form);
        Text->SetDrawForm(Box);
        Labs->SetDrawForm(Box);
        Map().SetPixPerM(3780);
        Bind();
    }
    void TearDown() override { Objects.clear(); }
    TScaleSetting& Map() { return Box->ScaleSetting(); }
    // The mapping draws on the current image.
    void Bind() {
        Map().SetCanvas(Canvas.get());
        Map().SetMap(*Canvas);
    }
    template <typename T> T* Make(TvlCreator* c, const String& s) {
        auto o = std::make_unique<T>(c);
        T* r = o.get();
        Objects.push_back(std::move(o));
        r->SetText(s);
        return r;
    }

    TComponent Form;
    TCustomDrawBox* Box = nullptr;
    TvlText* Text = nullptr;
    TvlTextlabs* Labs = nullptr;
    TActScaleSetScope Mapping{nullptr};
    std::vector<std::unique_ptr<TvlObject>> Objects;
};

TEST_F(QtText, WysiwygWidthStaysWithinOneUnitFromOneToFiveThousand) {
    TActScaleSetScope scope(&Map());
    Map().SetScale(1.0);
    Map().SetRefScale({Map().VPExt(), Map().WndExt()});
    Bind();
    Text->TxtGenerator().SetWYSIWYG(true);
    Text->TxtGenerator().SetFontFace(u"Arial", 40);
    TTextObj* o = Make<TTextObj>(Text, u"Conference room");
    const int32_t w = o->GetWidth();
    ASSERT_GT(w, 200);
    for (double s : {1.0, 0.75, 0.5, 0.2, 0.1, 0.04, 0.01, 0.002, 0.0002}) {
        SCOPED_TRACE(s);
        Map().SetScale(s);
        Bind();
        Text->CheckScaling();
        Text->ReleaseResources();
        o->AdjustToScale();
        EXPECT_NEAR(o->GetWidth(), w, 1);
        // Where the text can be read, the chosen font fills that width to
        // within a pixel of font height.
        if (s < 0.5) continue;
        Text->ObjectFont(o);
        const int32_t drawn = Canvas->TextExtent(o->RefText()).cx;
        EXPECT_NEAR(drawn, w, w / 15);
    }
}

TEST_F(QtText, TurnedLabelKeepsItsTextInsideItsFrame) {
    TActScaleSetScope scope(&Map());
    Map().SetMinUnit(TLenUnits::Pixel);
    Map().SetScale(1.0);
    auto& g = static_cast<TTxtLabGenerator&>(Labs->Generator());
    g.SetShape(TShapetype::stRectangle);
    g.SetPen({clBlack, 1, TPenStyle::psSolid, TPenMode::pmCopy});
    g.SetBrush({clWhite, TBrushStyle::bsClear});
    g.SetOptions({TGeneratorOption::goRotation});
    g.SetFrameDX(6);
    g.SetFrameDY(4);
    TFont f = g.Font();
    f.Color = clRed;
    f.Height = -24;
    g.SetFont(f);
    for (int degrees : {0, 30, 90}) {
        SCOPED_TRACE(degrees);
        Reset(260, 260);
        Bind();
        TTxtLabObj* l = Make<TTxtLabObj>(Labs, u"Lab 7");
        l->SetPos({100, 100});
        l->SetAlpha_DEG(degrees);
        l->Show();

        std::unique_ptr<TPoint[]> pts;
        const int32_t n = l->CreatePolyPntsEx(pts);
        ASSERT_EQ(n, 4);
        QPolygon frame;
        Canvas->SetWindowOrg({0, 0});
        for (int32_t i = 0; i < n; ++i) {
            const TPoint d = Canvas->LPtoDP(TPoint{pts[i].X + l->GetMinX(), pts[i].Y + l->GetMinY()});
            frame << QPoint(d.X, d.Y);
        }
        int red = 0, outside = 0;
        for (int y = 0; y < Image.height(); ++y)
            for (int x = 0; x < Image.width(); ++x) {
                const QRgb c = At(x, y);
                if (qRed(c) < 160 || qGreen(c) > 120 || qBlue(c) > 120) continue;
                ++red;
                if (!frame.containsPoint(QPoint(x, y), Qt::OddEvenFill)) ++outside;
            }
        EXPECT_GT(red, 40);
        EXPECT_EQ(outside, 0);
    }
}

} // namespace
