#include "velloran/text/text_creators.h"

#include <string>

#include "velloran/platform/canvas.h"
#include "velloran/scale/scale_setting.h"
#include "velloran/text/text_wbrk_obj.h"
#include "velloran/text/txt_lab_obj.h"

namespace vl {

String ReplaceOutdatedFace(const String& Name) {
    if (Name == u"MS Sans Serif" || Name == u"System") return u"Arial";
    if (Name == u"MS Serif" || Name == u"Courier") return u"Times New Roman";
    return Name;
}

TvlText::TvlText(TComponent* AOwner) : TvlText(AOwner, std::make_unique<TTxtGenerator2>()) {}

TvlText::TvlText(TComponent* AOwner, std::unique_ptr<TCustomTxtGenerator2> AGenerator)
    : TCustomPoints(AOwner, std::move(AGenerator)) {
    TxtGenerator().SetFontFace(u"Arial", 30);
}

void TvlText::Loaded() {
    TCustomPoints::Loaded();
    const TFont& f = Generator().Font();
    const String face = ReplaceOutdatedFace(f.Name);
    if (face != f.Name) TxtGenerator().SetFontFace(face, f.Height);
}

void TvlText::SetDefaultData(TvlObject* CurObject) {
    const std::string id = std::to_string(CurObject->ObjID);
    CurObject->SetText(String(id.begin(), id.end()));
}

TCapClass TvlText::DefaultClass() { return CapClassOf<TTextWbrkObj>; }

void TvlText::ObjectFont(TvlObject* CurObject) {
    auto* text = dynamic_cast<TTextObj*>(CurObject);
    if (!text || !TxtGenerator().WYSIWYG()) {
        TCustomPoints::ObjectFont(CurObject);
        return;
    }
    TCanvas& c = *ActScaleSet->Canvas();
    TFont f = text->GetFontHandle();
    f.Color = CurObject->GetFont().Color;
    c.SetFont(f);
}

TvlTextlabs::TvlTextlabs(TComponent* AOwner) : TvlText(AOwner, std::make_unique<TTxtLabGenerator>()) {}

TCapClass TvlTextlabs::DefaultClass() { return CapClassOf<TTxtLabObj>; }

} // namespace vl
