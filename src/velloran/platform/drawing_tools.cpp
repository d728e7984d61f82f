#include "velloran/platform/drawing_tools.h"

namespace vl {

TLogFont LogFontOf(const TFont& font) {
    TLogFont lf;
    lf.lfHeight = font.Height;
    lf.lfEscapement = font.Escapement;
    lf.lfOrientation = font.Orientation;
    lf.lfWeight = (font.Style & fsBold) ? 700 : 400;
    lf.lfItalic = (font.Style & fsItalic) ? 1 : 0;
    lf.lfUnderline = (font.Style & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (font.Style & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = font.Charset;
    lf.lfPitchAndFamily = font.Pitch == TFontPitch::fpVariable ? 2 : font.Pitch == TFontPitch::fpFixed ? 1 : 0;
    lf.lfFaceName = font.Name.substr(0, 31);
    return lf;
}

TFont FontOfLogFont(const TLogFont& lf, TColor color) {
    TFont f;
    f.Name = lf.lfFaceName;
    f.Height = lf.lfHeight;
    f.Style = static_cast<TFontStyles>((lf.lfWeight >= 600 ? fsBold : 0) | (lf.lfItalic ? fsItalic : 0) |
                                       (lf.lfUnderline ? fsUnderline : 0) | (lf.lfStrikeOut ? fsStrikeOut : 0));
    const int pitch = lf.lfPitchAndFamily & 3;
    f.Pitch = pitch == 2 ? TFontPitch::fpVariable : pitch == 1 ? TFontPitch::fpFixed : TFontPitch::fpDefault;
    f.Charset = lf.lfCharSet;
    f.Color = color;
    f.Escapement = lf.lfEscapement;
    f.Orientation = lf.lfOrientation;
    return f;
}

} // namespace vl
