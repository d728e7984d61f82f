#include "velloran/platform/rotated_drawing.h"

#include <cmath>
#include <numbers>
#include <span>

#include "velloran/foundations/angles.h"
#include "velloran/foundations/rotation.h"
#include "velloran/foundations/round.h"

namespace vl {

String PlatformDefaultFontName = u"Arial";

namespace {

std::span<const TPoint> PointsOf(const TPointList& list) {
    // Outlines always hold at least one point; the records are contiguous.
    if (list.Count() == 0) return {};
    return {static_cast<const TPoint*>(list.Get(0)), static_cast<size_t>(list.Count())};
}

bool SameTextIgnoreCase(const String& a, const String& b) {
    if (a.size() != b.size()) return false;
    auto fold = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; };
    for (size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

// Puts the canvas's font back however the drawing ends.
class TFontRestorer {
public:
    explicit TFontRestorer(TCanvas& dc) : FDC(dc), FSaved(dc.Font()) {}
    ~TFontRestorer() { FDC.SetFont(FSaved); }
    TFontRestorer(const TFontRestorer&) = delete;
    TFontRestorer& operator=(const TFontRestorer&) = delete;

private:
    TCanvas& FDC;
    TFont FSaved;
};

} // namespace

void Rotated_Rectangle(TCanvas& DC, const TRect& R, TPoint Pivot, double Alpha) {
    DC.Polygon(PointsOf(*RotatedPnts_Rectangle(R, Pivot, Alpha)));
}

void Rotated_RoundRect(TCanvas& DC, const TRect& R, int32_t W, int32_t H, TPoint Pivot,
                       double Alpha) {
    DC.Polygon(PointsOf(*RotatedPnts_RoundRect(R, W, H, Pivot, Alpha)));
}

void Rotated_Ellipse(TCanvas& DC, const TRect& R, TPoint Pivot, double Alpha) {
    const int64_t w = std::abs(int64_t{R.Right} - R.Left);
    const int64_t h = std::abs(int64_t{R.Bottom} - R.Top);
    if (w != h) {
        DC.Polygon(PointsOf(*RotatedPnts_Ellipse(R, Pivot, Alpha)));
        return;
    }
    // A circle looks the same at every angle, so only its centre needs turning.
    const TPoint center{static_cast<int32_t>((int64_t{R.Left} + R.Right) / 2),
                        static_cast<int32_t>((int64_t{R.Top} + R.Bottom) / 2)};
    Rotated_Circle(DC, center, static_cast<int32_t>(w), Pivot, Alpha);
}

void Rotated_Circle(TCanvas& DC, TPoint Center, int32_t Diameter, TPoint Pivot, double Alpha) {
    RotatePnt(Center, Pivot, Alpha);
    const int32_t left = Center.X - Diameter / 2;
    const int32_t top = Center.Y - Diameter / 2;
    DC.Ellipse({left, top, left + Diameter, top + Diameter});
}

void Rotated_Arc(TCanvas& DC, const TRect& R, TPoint P1, TPoint P2, TPoint Pivot, double Alpha) {
    DC.Polyline(PointsOf(*RotatedPnts_Arc(R, P1, P2, Pivot, Alpha)));
}

void Rotated_Chord(TCanvas& DC, const TRect& R, TPoint P1, TPoint P2, TPoint Pivot, double Alpha) {
    DC.Polygon(PointsOf(*RotatedPnts_Chord(R, P1, P2, Pivot, Alpha)));
}

void Rotated_Pie(TCanvas& DC, const TRect& R, TPoint P1, TPoint P2, TPoint Pivot, double Alpha) {
    DC.Polygon(PointsOf(*RotatedPnts_Pie(R, P1, P2, Pivot, Alpha)));
}

TLogFont RotatedLogFont(const TFont& Font, double Alpha) {
    TLogFont lf;
    lf.lfHeight = Font.Height;
    lf.lfWidth = 0;
    // Negative: the angle turns clockwise on a y-down device, escapement
    // counts counter-clockwise.
    lf.lfEscapement = Round(-Alpha * 1800 / std::numbers::pi);
    lf.lfOrientation = 0;
    lf.lfWeight = (Font.Style & fsBold) ? 700 : 400;
    lf.lfItalic = (Font.Style & fsItalic) ? 1 : 0;
    lf.lfUnderline = (Font.Style & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (Font.Style & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = Font.Charset;
    lf.lfOutPrecision = 0;
    lf.lfClipPrecision = 0;
    lf.lfQuality = 0;
    lf.lfPitchAndFamily = Font.Pitch == TFontPitch::fpVariable ? 2
                          : Font.Pitch == TFontPitch::fpFixed  ? 1
                                                               : 0;
    const String& face =
        SameTextIgnoreCase(Font.Name, DefaultFontName) ? PlatformDefaultFontName : Font.Name;
    lf.lfFaceName = face.substr(0, 31);
    return lf;
}

void Rotated_TextOut(TCanvas& DC, const String& Text, const TFont& Font, TPoint P, TPoint Pivot,
                     double Alpha) {
    TFontRestorer restore(DC);
    DC.SetFont(FontOfLogFont(RotatedLogFont(Font, Alpha), Font.Color));
    RotatePnt(P, Pivot, Alpha);
    DC.TextOut(P.X, P.Y, Text);
}

} // namespace vl
