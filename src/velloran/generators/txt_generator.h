#pragma once
// Text generators: alignment, word breaking and frame margins on top of the
// common style. Word breaking and rotation exclude each other; the one set
// last wins.

#include <memory>

#include "velloran/generators/custom_generator.h"
#include "velloran/generators/text_align.h"

namespace vl {

/// The text style template: alignment, word breaking and frame margins on top of the common style.
class TCustomTxtGenerator : public TCustomGenerator {
public:
    TCustomTxtGenerator() : FTextAlign(std::make_unique<TTextAlign>()) {}
    std::string ClassName() const override { return "TCustomTxtGenerator"; }

    const TTextAlign& TextAlign() const { return *FTextAlign; }
    TTextAlign& TextAlign() { return *FTextAlign; }
    void SetTextAlign(const TTextAlign& v) { FTextAlign->Assign(v); }

    int32_t WordBreak() const { return FWordBreak; }
    /// A positive width switches rotation off.
    void SetWordBreak(int32_t value);
    /// Options with goRotation switch word breaking off.
    void SetTxtOptions(TGeneratorOptions options);
    void SetOptions(TGeneratorOptions options) override { SetTxtOptions(options); }

    int16_t FrameDX() const { return FFrameDX; }
    void SetFrameDX(int16_t v) { FFrameDX = v; }
    int16_t FrameDY() const { return FFrameDY; }
    void SetFrameDY(int16_t v) { FFrameDY = v; }

protected:
    std::unique_ptr<TTextAlign> FTextAlign;
    int32_t FWordBreak = 0;
    int16_t FFrameDX = 0;
    int16_t FFrameDY = 0;
};

/// The published text generator.
class TTxtGenerator : public TCustomTxtGenerator {
public:
    TTxtGenerator() {
        FShape = TShapetype::stEllipse;
        FFrameDX = FFrameDY = 1;
    }
    std::string ClassName() const override { return "TTxtGenerator"; }
};

} // namespace vl
