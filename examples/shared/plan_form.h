#pragma once
// The form the examples share: a draw box, a symbol creator, a line creator
// and a document, in this order. A creator's class number is its index among
// the form's components and every saved object stores it, so a drawing loads
// only into a form whose creators keep their places. The quick start's form
// has the same order; its drawings load here too.

#include <velloran/velloran.h>

namespace plan {

class PlanForm : public vl::TForm {
  public:
    PlanForm() {
        using namespace vl;
        BeginLoading();
        Box = NewComponent<TvlDrawbox>(*this);
        Box->SetName(u"Box");
        // Millimetres, y upwards from the bottom left corner, shown at 1:100.
        TScaleSetting& map = Box->ScaleSetting();
        map.SetMinUnit(TLenUnits::mm);
        map.SetOrigin(TOrigin::LeftBottom);
        map.SetRcp_Scale(100);
        // Fitting the drawing leaves a margin of 10 mm on the screen.
        map.SetBlankZone(10);

        Symbols = NewComponent<TvlPoints>(*this);
        Symbols->SetName(u"Symbols");
        Symbols->SetDrawForm(Box);
        Symbols->SetOptions({TToolOption::toDefaultTool});
        TCustomGenerator& s = Symbols->Generator();
        s.SetWidth(1000);
        s.SetHeight(1000);
        // The symbol's centre sits on the clicked point.
        s.SetHotspotX(500);
        s.SetHotspotY(500);
        s.SetPen({clNavy, 20});
        s.SetBrush({clAqua, TBrushStyle::bsSolid});

        Lines = NewComponent<TvlLines>(*this);
        Lines->SetName(u"Lines");
        Lines->SetDrawForm(Box);
        Lines->Generator().SetPen({clMaroon, 50});
        // A higher order lies further back: lines run beneath the symbols.
        Lines->Generator().SetZOrder(1);

        Document = NewComponent<TvlDataModule>(*this);
        Document->SetName(u"Document");
        Document->SetDrawForm(Box);
        Box->SetDataModule(Document);
    }

    vl::TvlDrawbox* Box;
    vl::TvlPoints* Symbols;
    vl::TvlLines* Lines;
    vl::TvlDataModule* Document;
};

} // namespace plan
