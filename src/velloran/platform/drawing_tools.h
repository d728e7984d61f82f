#pragma once
// Pen, brush and font as plain values. The enumerations keep the platform's
// ordinal values because objects store them in files.

#include <cstdint>

#include "velloran/foundations/types.h"
#include "velloran/platform/colors.h"

namespace vl {

/// How a pen's line is dashed.
enum class TPenStyle : uint8_t {
    psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psUserStyle, psAlternate
};

/// Raster operation of the pen; pmNotXor draws NOT (pen XOR screen), so drawing
/// a figure twice restores the pixels beneath.
enum class TPenMode : uint8_t {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

/// How a brush fills.
enum class TBrushStyle : uint8_t {
    bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross
};

/// The pitch a font asks for.
enum class TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };

/// Font style bits.
/// Bits 0..3 as stored: bold, italic, underline, strike-out.
enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t;

inline constexpr uint8_t DEFAULT_CHARSET = 1;
inline constexpr uint8_t ANSI_CHARSET = 0;

/// A pen as a plain value.
struct TPen {
    TColor Color = clBlack;
    int32_t Width = 1;
    TPenStyle Style = TPenStyle::psSolid;
    TPenMode Mode = TPenMode::pmCopy;
    friend bool operator==(const TPen&, const TPen&) = default;
};

/// A brush as a plain value.
struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
    friend bool operator==(const TBrush&, const TBrush&) = default;
};

/// The face name that stands for the platform's default face.
inline const char16_t* const DefaultFontName = u"Default";

/// A font as a plain value.
struct TFont {
    String Name = u"Arial";
    /// Character height in logical units; negative means character height
    /// without internal leading, as in a logical font description.
    int32_t Height = -11;
    TFontStyles Style = 0;
    TFontPitch Pitch = TFontPitch::fpDefault;
    uint8_t Charset = DEFAULT_CHARSET;
    TColor Color = clBlack;
    /// Tenths of a degree, counter-clockwise on the device: the angle of the
    /// baseline (escapement) and of each character (orientation). Rotated text
    /// turns its baseline and keeps orientation 0, as a device that draws
    /// characters along the baseline expects.
    int32_t Escapement = 0;
    int32_t Orientation = 0;
    friend bool operator==(const TFont&, const TFont&) = default;
};

/// Logical font description, field for field as a device interface wants it
/// (and as a metafile stores it).
struct TLogFont {
    int32_t lfHeight = 0;
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;
    int32_t lfOrientation = 0;
    int32_t lfWeight = 400;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = DEFAULT_CHARSET;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 0;
    uint8_t lfPitchAndFamily = 0;
    String lfFaceName; // at most 31 code units are kept
    friend bool operator==(const TLogFont&, const TLogFont&) = default;
};

/// Builds the logical font description a canvas uses for a font.
TLogFont LogFontOf(const TFont& font);
/// The inverse, for canvases that hold a TFont.
TFont FontOfLogFont(const TLogFont& lf, TColor color);

} // namespace vl
