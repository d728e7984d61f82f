#include "sketch_form.h"

#include <string>

#include <velloran/generators/custom_generator.h>
#include <velloran/generators/generator_options.h>
#include <velloran/objects/object.h>
#include <velloran/platform/colors.h>
#include <velloran/text/txt_lab2_obj.h>
#include <velloran/text/txt_lab_obj.h>

#include <utility>

namespace sketch {

using namespace vl;

namespace {

// A point creator of the draw box whose symbols sit centred on the clicked
// point. Sizes are in the form's logical unit (millimetres).
TvlPoints* Creator(TForm& form, TvlDrawbox* box, const char16_t* name, TShapetype shape, int32_t w,
                   int32_t h, TPen pen, TBrush brush) {
    auto* c = NewComponent<TvlPoints>(form);
    c->SetName(name);
    c->SetDrawForm(box);
    TCustomGenerator& g = c->Generator();
    g.SetShape(shape);
    g.SetWidth(w);
    g.SetHeight(h);
    g.SetHotspotX(w / 2);
    g.SetHotspotY(h / 2);
    g.SetPen(pen);
    g.SetBrush(brush);
    return c;
}

// A line creator of the draw box with its pen.
TvlLines* LineCreator(TForm& form, TvlDrawbox* box, const char16_t* name, TPen pen) {
    auto* c = NewComponent<TvlLines>(form);
    c->SetName(name);
    c->SetDrawForm(box);
    c->Generator().SetPen(pen);
    // Tool bar icons take their proportions from the generator's size.
    c->Generator().SetWidth(3000);
    c->Generator().SetHeight(2000);
    return c;
}

} // namespace

TSketchForm::TSketchForm() {
    SetName(u"SketchForm");
    BeginLoading();

    // The order below is the drawing format's class numbering: append only.
    DrawBox = NewComponent<TvlDrawbox>(*this);
    DrawBox->SetName(u"DrawBox");

    const TPen outline{RGB(40, 60, 90), 20};
    Rectangles = Creator(*this, DrawBox, u"Rectangle", TShapetype::stRectangle, 2000, 800, outline,
                         {RGB(198, 219, 239), TBrushStyle::bsSolid});
    Ellipses = Creator(*this, DrawBox, u"Ellipse", TShapetype::stEllipse, 3000, 1600, outline,
                       {RGB(253, 235, 200), TBrushStyle::bsSolid});
    Circles = Creator(*this, DrawBox, u"Circle", TShapetype::stCircle, 1600, 1600,
                      {RGB(20, 90, 60), 30}, {RGB(199, 233, 192), TBrushStyle::bsSolid});
    Squares = Creator(*this, DrawBox, u"Square", TShapetype::stSquare, 400, 400, {clBlack, 10},
                      {RGB(90, 90, 90), TBrushStyle::bsSolid});
    RoundRects = Creator(*this, DrawBox, u"RoundRect", TShapetype::stRoundRect, 2400, 1400,
                         {RGB(120, 60, 20), 20}, {RGB(244, 204, 160), TBrushStyle::bsSolid});
    Pictures = Creator(*this, DrawBox, u"Picture", TShapetype::stRectangle, 1600, 1600,
                       {clBlack, 1, TPenStyle::psClear}, {clWhite, TBrushStyle::bsClear});
    Walls = Creator(*this, DrawBox, u"Walls", TShapetype::stRectangle, 24000, 12000,
                    {RGB(50, 50, 50), 250}, {clWhite, TBrushStyle::bsClear});
    Pointer = NewComponent<TMarkMove>(*this);
    Pointer->SetName(u"Pointer");
    Pointer->SetDrawForm(DrawBox);

    Lines = LineCreator(*this, DrawBox, u"Line", {RGB(60, 60, 60), 60});
    Lines->SetOrthoMode(true);
    Polylines = LineCreator(*this, DrawBox, u"Polyline", {RGB(30, 100, 180), 40});
    Polylines->SetPolyShape(true);
    Frames = LineCreator(*this, DrawBox, u"Frame", {RGB(150, 110, 30), 20, TPenStyle::psDash});
    Frames->Generator().SetShape(TShapetype::stRectangle);
    Frames->Generator().SetBrush({clWhite, TBrushStyle::bsClear});
    Nodes = Creator(*this, DrawBox, u"Node", TShapetype::stCircle, 400, 400, {RGB(200, 90, 20), 20},
                    {RGB(250, 200, 150), TBrushStyle::bsSolid});
    Connectors = NewComponent<TLineDepends>(*this);
    Connectors->SetName(u"Connector");
    Connectors->SetDrawForm(DrawBox);
    Connectors->Generator().SetPen({RGB(200, 90, 20), 50});
    Connectors->Generator().SetBrush({clWhite, TBrushStyle::bsClear});
    // Cables run beneath the symbols they join (a higher order lies further back).
    Connectors->Generator().SetZOrder(1);
    Connectors->SetMasterObject(Nodes);
    // A cable may start at any symbol but the walls, which hold all others.
    Connectors->OnObjectFound = [this](TvlObject* o, bool& Accept) {
        const TObjectTool* c = o->Tool();
        Accept = c == Rectangles || c == Ellipses || c == Circles || c == Squares || c == RoundRects ||
                 c == Pictures || c == Nodes;
    };

    Texts = NewComponent<TvlText>(*this);
    Labels = NewComponent<TvlTextlabs>(*this);
    TitleBlock = NewComponent<TvlTextlabs>(*this);
    for (auto [c, name] : {std::pair<TvlText*, const char16_t*>{Texts, u"Text"}, {Labels, u"Label"},
                           {TitleBlock, u"TitleBlock"}}) {
        c->SetName(name);
        c->SetDrawForm(DrawBox);
        // Texts keep their size on paper at every zoom.
        c->TxtGenerator().SetWYSIWYG(true);
    }
    // Heights in millimetres of the plan: 40 cm room names, 25 cm notes.
    Texts->TxtGenerator().SetFontFace(u"Arial", 400);
    Labels->TxtGenerator().SetFontFace(u"Arial", 250);
    Labels->TxtGenerator().SetWordBreak(16);
    Labels->Generator().SetShape(TShapetype::stRoundRect);
    Labels->Generator().SetPen(outline);
    Labels->Generator().SetBrush({RGB(255, 250, 205), TBrushStyle::bsSolid});
    auto& title = static_cast<TTxtLabGenerator&>(TitleBlock->Generator());
    TitleBlock->TxtGenerator().SetFontFace(u"Arial", 300);
    TitleBlock->TxtGenerator().SetWordBreak(40);
    title.SetShape(TShapetype::stRectangle);
    title.SetPen({clBlack, 30});
    title.SetBrush({clWhite, TBrushStyle::bsSolid});
    title.SetFrameDX(200);
    title.SetFrameDY(150);
    LabelBoxes = NewComponent<TvlTextlabs2D>(*this);
    LabelBoxes->SetName(u"LabelBox");
    LabelBoxes->SetDrawForm(DrawBox);
    LabelBoxes->TxtGenerator().SetWYSIWYG(true);
    LabelBoxes->TxtGenerator().SetFontFace(u"Arial", 250);
    LabelBoxes->TxtGenerator().SetWordBreak(24);
    LabelBoxes->TxtGenerator().TextAlign().SetHorz(THorzAlign::haLeft);
    LabelBoxes->TxtGenerator().TextAlign().SetVert(TVertAlign::vaTop);
    LabelBoxes->Generator().SetShape(TShapetype::stRectangle);
    LabelBoxes->Generator().SetPen({RGB(40, 110, 60), 20});
    LabelBoxes->Generator().SetBrush({RGB(230, 245, 230), TBrushStyle::bsSolid});
    static_cast<TTxtLab2Generator&>(LabelBoxes->Generator()).SetFrameDX(100);
    static_cast<TTxtLab2Generator&>(LabelBoxes->Generator()).SetFrameDY(80);
    // Tool bar icons take their proportions from the generator's size.
    LabelBoxes->Generator().SetWidth(3000);
    LabelBoxes->Generator().SetHeight(2000);

    // Symbols that read as furniture and machines cast shadows; benches turn.
    Rectangles->Generator().SetOptions(
        TGeneratorOptions{TGeneratorOption::goRotation, TGeneratorOption::goShadows});
    RoundRects->Generator().SetOptions(
        TGeneratorOptions{TGeneratorOption::goRotation, TGeneratorOption::goShadows});
    Ellipses->Generator().SetOptions(TGeneratorOptions{TGeneratorOption::goShadows});
    Pictures->Generator().SetOptions(TGeneratorOptions{TGeneratorOption::goStretchPicture});
    // The walls lie beneath everything else and stay put under the pointer.
    Walls->Generator().SetZOrder(-1);
    Walls->Generator().SetOptions(TGeneratorOptions{TGeneratorOption::goDontFind});

    TScaleSetting& map = DrawBox->ScaleSetting();
    map.SetMinUnit(TLenUnits::mm);
    map.SetMeasure(TLenUnits::Meter);
    map.SetOrigin(TOrigin::LeftBottom);
    map.SetRcp_Scale(100);
    // Closer than real size shows nothing more of a plan.
    map.Setrcp_Limit(1);
    map.SetBlankZone(10);
    DrawBox->Shadows().SetdX(120);
    DrawBox->Shadows().SetdY(-120);
    DrawBox->Shadows().SetBrush({RGB(190, 190, 190), TBrushStyle::bsSolid});
    TvlGrid& grid = DrawBox->Grid();
    grid.SetIncHorz(500);
    grid.SetIncVert(500);
    grid.SetShowEvery(2);
    grid.SetPen({RGB(225, 230, 238), 1});
    grid.SetVisible(true);
    grid.SetCapture(true);
    DrawBox->SetScrollAnchor(true);
    // The scroll range follows the drawing; tools scroll at the edges.
    DrawBox->SetAutoScroll(true);
}

TvlDataModule* TSketchForm::Document() const {
    return dynamic_cast<TvlDataModule*>(DrawBox->DataModule());
}

std::vector<TMouseTool*> TSketchForm::ToolBarTools() const {
    return {Pointer, Rectangles, Ellipses, Circles, Squares, RoundRects, Pictures, Lines, Polylines,
            Frames, Connectors, Texts, Labels, LabelBoxes};
}

TvlObject* TSketchForm::TextObjectAt(TPoint p) const {
    TvlDataMod* doc = DrawBox->DataModule();
    if (!doc) return nullptr;
    const TLimRec at{p.X, p.Y, p.X + 1, p.Y + 1};
    return doc->LastObjectWith([&at](TvlObject* o) {
        return (dynamic_cast<TTextObj*>(o) || dynamic_cast<TTxtLabObj*>(o) || dynamic_cast<TTxtLab2Obj*>(o)) &&
               o->Found(at);
    });
}

void TSketchForm::SelectAll() {
    TvlDataModule* doc = Document();
    if (!doc) return;
    // Marks draw through the view's mapping.
    ActScaleSet = &DrawBox->ScaleSetting();
    doc->AllObjects([doc](TvlObject* o) {
        if (o->GetVisible() && !o->Generator().Options().Contains(TGeneratorOption::goDontFind)) doc->Select(o);
    });
    doc->Mark(nullptr);
}

void TSketchForm::DeleteMarked() {
    if (TvlDataModule* doc = Document()) doc->DeleteObjects();
}

std::u16string TSketchForm::ObjectName(const TvlObject* Object) {
    if (!Object) return {};
    const auto* creator = dynamic_cast<const TComponent*>(Object->Tool());
    const std::u16string name = creator ? creator->Name() : u"Object";
    const std::string id = std::to_string(Object->ObjID);
    return name + u" " + std::u16string(id.begin(), id.end());
}

} // namespace sketch
