#include "velloran/storage/infobox.h"

#include <memory>

#include "velloran/platform/progress.h"

namespace vl {

namespace {
std::unique_ptr<TInfobox> OpenInfobox;
} // namespace

TInfobox::~TInfobox() {
    if (Infobox == this) Infobox = nullptr;
    Userbreak = false;
}

void TInfobox::SetText(const String& text) {
    if (!FLabel) return;
    FLabel->SetCaption(text);
    FLabel->Repaint();
}

void TInfobox::BoxMessage(int32_t Code, const TInfoParams& Params) {
    const int32_t* number = std::get_if<int32_t>(&Params);
    const String* text = std::get_if<String>(&Params);
    switch (Code) {
    case infoReset:
        // The reset belongs to the label: without one the bar is left alone.
        if (!FLabel) break;
        if (FProgbar) FProgbar->SetPosition(0);
        SetText(String());
        break;
    case infoText:
        if (text) SetText(*text);
        break;
    case infoLoading:
        SetText(u"Loading...");
        if (FProgbar && number) FProgbar->SetMax(*number);
        break;
    case infoSaving:
        SetText(u"Saving...");
        break;
    case infoSaveCount:
        if (FProgbar && number) FProgbar->SetMax(*number);
        break;
    case infoSaveLayer:
        if (text) SetText(u"Saving " + *text);
        break;
    case infoPrinting:
        SetText(u"Printing...");
        if (FProgbar && number) FProgbar->SetMax(*number);
        break;
    default:
        break;
    }
}

void TInfobox::Count(int32_t Value) {
    if (!FProgbar) return;
    if (Value >= 1)
        FProgbar->SetPosition(Value);
    else
        FProgbar->StepIt();
}

void InfoOpen(TLabel* aLabel, TProgressBar* aProgbar) {
    if (Infobox) return;
    OpenInfobox = std::make_unique<TInfobox>(aLabel, aProgbar);
    Infobox = OpenInfobox.get();
}

void InfoMessage(int32_t Code, const TInfoParams& Params) {
    if (Infobox) Infobox->BoxMessage(Code, Params);
}

void InfoCount(int32_t Value) {
    if (Infobox) Infobox->Count(Value);
}

void InfoClose() {
    if (Infobox) Infobox->BoxMessage(infoReset, {});
    OpenInfobox.reset();
    Infobox = nullptr;
    // Also without an open reporter: a stale break would stop the next save.
    Userbreak = false;
}

} // namespace vl
