#pragma once
// Figures, text, bitmaps and metafiles drawn turned by an angle (radians)
// about a pivot. Figures are drawn as polygons of their rotated outlines with
// the canvas's current pen and brush; text uses a font with the angle as its
// escapement; bitmaps are resampled; metafiles are replayed record by record.

#include <cstdint>
#include <memory>

#include "velloran/foundations/types.h"
#include "velloran/platform/canvas.h"
#include "velloran/platform/drawing_tools.h"

namespace vl {

class TGraphic;
class TBitmap;
class TMetafile;

/// The face that a font named "Default" stands for. A backend may set it to
/// its platform's default face.
extern String PlatformDefaultFontName;

void Rotated_Rectangle(TCanvas& DC, const TRect& R, TPoint Pivot, double Alpha);
void Rotated_RoundRect(TCanvas& DC, const TRect& R, int32_t W, int32_t H, TPoint Pivot,
                       double Alpha);
/// A square box gives a true circle (Rotated_Circle), any other box a polygon.
void Rotated_Ellipse(TCanvas& DC, const TRect& R, TPoint Pivot, double Alpha);
/// Only the centre turns; the circle is drawn as the canvas's own ellipse.
void Rotated_Circle(TCanvas& DC, TPoint Center, int32_t Diameter, TPoint Pivot, double Alpha);
void Rotated_Arc(TCanvas& DC, const TRect& R, TPoint P1, TPoint P2, TPoint Pivot, double Alpha);
void Rotated_Chord(TCanvas& DC, const TRect& R, TPoint P1, TPoint P2, TPoint Pivot, double Alpha);
void Rotated_Pie(TCanvas& DC, const TRect& R, TPoint P1, TPoint P2, TPoint Pivot, double Alpha);

/// Writes Text in Font turned by Alpha at P turned about Pivot. The canvas's
/// font is restored afterwards.
void Rotated_TextOut(TCanvas& DC, const String& Text, const TFont& Font, TPoint P, TPoint Pivot,
                     double Alpha);

/// The logical font that Rotated_TextOut writes with.
TLogFont RotatedLogFont(const TFont& Font, double Alpha);

/// A bitmap or JPEG image turned by Alpha about its pixel P; nullptr for other
/// graphics. Offset receives where the turned picture's box begins relative to
/// P, so the caller draws the result at (pivot position + Offset).
std::unique_ptr<TBitmap> CreateRotatedBitmap(const TGraphic& Graphic, TPoint P, double Alpha,
                                             TPoint& Offset);

/// Plays Metafile into (0, 0, width, height) of DC with its figures, lines and
/// text turned by Alpha about P, a point in DC's logical coordinates (like the
/// hot spot of the object that shows the picture).
void Rotated_Metafile(TCanvas& DC, const TMetafile& Metafile, TPoint P, double Alpha);

} // namespace vl
