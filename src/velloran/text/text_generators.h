#pragma once
// The generators of the text creators: font, alignment, break width and
// WYSIWYG sizing for texts, frame distances for labels.

#include <cstdint>
#include <memory>

#include "velloran/generators/custom_generator.h"
#include "velloran/generators/text_align.h"

namespace vl {

/// What a moving text shows.
enum class TWhileMoving : uint8_t { DispOutline, DispText, DispBoth };
/// How a spanned label treats its text after the user resized it.
enum class TTextHandling : uint8_t { thAdjustWordbrk, thAdjustOutline, thClipping };

/// The style template of texts: font, alignment, break width and WYSIWYG sizing.
class TCustomTxtGenerator2 : public TCustomGenerator {
public:
    /// Texts have no background: rectangle shape, clear brush.
    TCustomTxtGenerator2();
    std::string ClassName() const override { return "TCustomTxtGenerator2"; }

    bool WYSIWYG() const { return FWYSIWYG; }
    void SetWYSIWYG(bool v) { FWYSIWYG = v; }
    TWhileMoving WhileMoving() const { return FWhileMoving; }
    void SetWhileMoving(TWhileMoving v) { FWhileMoving = v; }
    const TTextAlign& TextAlign() const { return *FTextAlign; }
    TTextAlign& TextAlign() { return *FTextAlign; }
    void SetTextAlign(const TTextAlign& v) { FTextAlign->Assign(v); }
    /// Characters per line of new texts; 0 or less: no breaking. Unlike the
    /// older text generator, rotation is left alone.
    int32_t WordBreak() const { return FWordBreak; }
    void SetWordBreak(int32_t v) { FWordBreak = v; }
    /// Face and height set quietly (SetFont beeps); used by the creators.
    void SetFontFace(const String& Name, int32_t Height);

protected:
    bool FWYSIWYG = false;
    TWhileMoving FWhileMoving = TWhileMoving::DispOutline;
    std::unique_ptr<TTextAlign> FTextAlign;
    int32_t FWordBreak = 0;
};

/// The published text generator of the text creator.
class TTxtGenerator2 : public TCustomTxtGenerator2 {
public:
    std::string ClassName() const override { return "TTxtGenerator2"; }
};

/// The style template of labels: frame distances and text handling on top of the text style.
class TCustomTxtLabGenerator : public TCustomTxtGenerator2 {
public:
    std::string ClassName() const override { return "TCustomTxtLabGenerator"; }

    int16_t FrameDX() const { return FFrameDX; }
    void SetFrameDX(int16_t v) { FFrameDX = v; }
    int16_t FrameDY() const { return FFrameDY; }
    void SetFrameDY(int16_t v) { FFrameDY = v; }
    TTextHandling TextHandling() const { return FTextHandling; }
    void SetTextHandling(TTextHandling v) { FTextHandling = v; }

protected:
    int16_t FFrameDX = 0;
    int16_t FFrameDY = 0;
    TTextHandling FTextHandling = TTextHandling::thAdjustWordbrk;
};

/// The published generator of the label creator.
class TTxtLabGenerator : public TCustomTxtLabGenerator {
public:
    TTxtLabGenerator();
    std::string ClassName() const override { return "TTxtLabGenerator"; }
};

/// The generator of two-point labels.
class TTxtLab2Generator : public TTxtLabGenerator {
public:
    std::string ClassName() const override { return "TTxtLab2Generator"; }
};

} // namespace vl
