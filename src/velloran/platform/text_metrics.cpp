#include "velloran/platform/text_metrics.h"

#include <cstdlib>

#include "velloran/foundations/round.h"

namespace vl {

int32_t HeadlessCellHeight(const TFont& font) {
    if (font.Height == 0) return 11;
    return font.Height == INT32_MIN ? INT32_MAX : std::abs(font.Height);
}

int32_t HeadlessAscent(const TFont& font) {
    return Round(HeadlessCellHeight(font) * 0.8);
}

int32_t HeadlessAdvance(const TFont& font) {
    const double perHeight = font.Pitch == TFontPitch::fpFixed ? 0.6 : 0.5;
    const double bold = (font.Style & fsBold) ? 1.1 : 1.0;
    return Round(HeadlessCellHeight(font) * perHeight * bold);
}

TSize HeadlessTextExtent(const TFont& font, const String& text) {
    const double w = static_cast<double>(HeadlessAdvance(font)) * static_cast<double>(text.size());
    return {Round(w), HeadlessCellHeight(font)};
}

} // namespace vl
