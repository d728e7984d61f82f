#include "velloran/generators/custom_generator.h"

#include <algorithm>
#include <cstdlib>

#include "velloran/platform/canvas.h"
#include "velloran/platform/services.h"
#include "velloran/scale/scale_setting.h"

namespace vl {

namespace {

// Faces that only exist in fixed sizes and their scalable stand-ins.
void ReplaceFixedSizeFace(String& name) {
    if (name == u"MS Sans Serif" || name == u"System")
        name = u"Arial";
    else if (name == u"MS Serif" || name == u"Courier")
        name = u"Times New Roman";
}

bool IsSystemFace(const String& name) {
    static constexpr char16_t sys[] = u"system";
    if (name.size() != 6) return false;
    for (size_t i = 0; i < 6; ++i) {
        char16_t c = name[i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != sys[i]) return false;
    }
    return true;
}

TLogFont MeasuringFont(const TFont& font, int32_t height) {
    TLogFont lf;
    lf.lfHeight = height;
    lf.lfWeight = (font.Style & fsBold) ? 700 : 400;
    lf.lfItalic = (font.Style & fsItalic) ? 1 : 0;
    lf.lfUnderline = (font.Style & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (font.Style & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = font.Pitch == TFontPitch::fpVariable ? 2 : font.Pitch == TFontPitch::fpFixed ? 1 : 0;
    lf.lfFaceName = font.Name.substr(0, 31);
    return lf;
}

} // namespace

void TCustomGenerator::SetFont(TFont& font) {
    ReplaceFixedSizeFace(font.Name);
    Services().Beep();
    FFont = font;
    // A cached answer about the old font would be wrong for the new one.
    FFontIsScalable = 0;
}

void TCustomGenerator::SetPicture(const TPicture& picture) {
    FPicture.Assign(picture);
    if (!FOptions.Contains(TGeneratorOption::goStretchPicture)) {
        FWidth = FPicture.Width();
        FHeight = FPicture.Height();
    }
    FShape = TShapetype::stRectangle;
}

bool TCustomGenerator::FontIsScalable(const TFont& font) {
    if (IsSystemFace(font.Name)) return false;
    TCanvas* canvas = ActScaleSet ? ActScaleSet->Canvas() : nullptr;
    if (!canvas) return false;
    const TFont before = canvas->Font();
    const int32_t doubled = static_cast<int32_t>(
        std::clamp<int64_t>(int64_t{font.Height} * 2, INT32_MIN, INT32_MAX));
    canvas->SetFont(FontOfLogFont(MeasuringFont(font, font.Height), font.Color));
    const int32_t w1 = canvas->TextExtent(u"anyTest").cx;
    canvas->SetFont(FontOfLogFont(MeasuringFont(font, doubled), font.Color));
    const int32_t w2 = canvas->TextExtent(u"anyTest").cx;
    canvas->SetFont(before);
    return w1 != w2;
}

bool TCustomGenerator::FontIsScalable() {
    if (FFontIsScalable != 0) return FFontIsScalable > 0;
    // Without a canvas nothing was measured, so nothing is cached.
    if (!IsSystemFace(FFont.Name) && !(ActScaleSet && ActScaleSet->Canvas())) return false;
    const bool scalable = FontIsScalable(FFont);
    FFontIsScalable = scalable ? 1 : -1;
    return scalable;
}

void TCustomGenerator::SetFontHandle(std::unique_ptr<TFontHandle> NewFont, int32_t NewFontHeight) {
    // Canvases hold fonts by value, so dropping the cached one needs no
    // stock font selected first.
    if (!FFontHandle || std::abs(int64_t{FCurrFontHeight}) > std::abs(int64_t{NewFontHeight})) {
        FFontHandle = std::move(NewFont);
        FCurrFontHeight = NewFontHeight;
    }
}

} // namespace vl
