#include "velloran/text/text_creators.h"

#include <string>

#include "velloran/platform/canvas.h"
#include "velloran/scale/scale_setting.h"
#include "velloran/text/text_wbrk_obj.h"
#include "velloran/text/txt_lab2_obj.h"
#include "velloran/text/txt_lab_obj.h"

namespace vl {

String ReplaceOutdatedFace(const String& Name) {
    if (Name == u"MS Sans Serif" || Name == u"System") return u"Arial";
    if (Name == u"MS Serif" || Name == u"Courier") return u"Times New Roman";
    return Name;
}

namespace {

void ReplaceOutdatedFont(TCustomTxtGenerator2& g) {
    const TFont& f = g.Font();
    const String face = ReplaceOutdatedFace(f.Name);
    if (face != f.Name) g.SetFontFace(face, f.Height);
}

void SetIdentityText(TvlObject* o) {
    const std::string id = std::to_string(o->ObjID);
    o->SetText(String(id.begin(), id.end()));
}

// The scaled font of a WYSIWYG text object; false for anything else.
bool SelectWysiwygFont(const TCustomTxtGenerator2& g, TvlObject* o) {
    auto* text = dynamic_cast<TTextObj*>(o);
    if (!text || !g.WYSIWYG()) return false;
    TFont f = text->GetFontHandle();
    f.Color = o->GetFont().Color;
    ActScaleSet->Canvas()->SetFont(f);
    return true;
}

} // namespace

TvlText::TvlText(TComponent* AOwner) : TvlText(AOwner, std::make_unique<TTxtGenerator2>()) {}

TvlText::TvlText(TComponent* AOwner, std::unique_ptr<TCustomTxtGenerator2> AGenerator)
    : TCustomPoints(AOwner, std::move(AGenerator)) {
    TxtGenerator().SetFontFace(u"Arial", 30);
}

void TvlText::Loaded() {
    TCustomPoints::Loaded();
    ReplaceOutdatedFont(TxtGenerator());
}

void TvlText::SetDefaultData(TvlObject* CurObject) { SetIdentityText(CurObject); }

TCapClass TvlText::DefaultClass() { return CapClassOf<TTextWbrkObj>; }

void TvlText::ObjectFont(TvlObject* CurObject) {
    if (!SelectWysiwygFont(TxtGenerator(), CurObject)) TCustomPoints::ObjectFont(CurObject);
}

TvlTextlabs::TvlTextlabs(TComponent* AOwner) : TvlText(AOwner, std::make_unique<TTxtLabGenerator>()) {}

TCapClass TvlTextlabs::DefaultClass() { return CapClassOf<TTxtLabObj>; }

TvlTextlabs2D::TvlTextlabs2D(TComponent* AOwner) : TCustomLines(AOwner, std::make_unique<TTxtLab2Generator>()) {
    TxtGenerator().SetFontFace(u"Arial", 30);
}

void TvlTextlabs2D::Loaded() {
    TCustomLines::Loaded();
    ReplaceOutdatedFont(TxtGenerator());
}

void TvlTextlabs2D::SetDefaultData(TvlObject* CurObject) { SetIdentityText(CurObject); }

TCapClass TvlTextlabs2D::DefaultClass() { return CapClassOf<TTxtLab2Obj>; }

void TvlTextlabs2D::ObjectFont(TvlObject* CurObject) {
    if (!SelectWysiwygFont(TxtGenerator(), CurObject)) TCustomLines::ObjectFont(CurObject);
}

} // namespace vl
