// CreateRotatedBitmap: nearest-neighbour resampling of small symbol pictures.

#include <algorithm>
#include <cmath>

#include "velloran/foundations/angles.h"
#include "velloran/foundations/geometry.h"
#include "velloran/foundations/round.h"
#include "velloran/platform/graphics.h"
#include "velloran/platform/rotated_drawing.h"

namespace vl {

namespace {

int32_t Clamped(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

} // namespace

// Everything is measured relative to the pivot P (a pixel position in the
// source): the box corners are taken relative to P and turned about it, and
// each target pixel is mapped back by the inverse turn and shifted by P. With
// P = (0, 0) the picture turns about its top left corner.
//
// Pixels are sampled at their centres. Sampling at their top left corners
// would, for a quarter turn, read one row beyond the source and drop its
// first row.
std::unique_ptr<TBitmap> CreateRotatedBitmap(const TGraphic& Graphic, TPoint P, double Alpha,
                                             TPoint& Offset) {
    const TBitmap* src = dynamic_cast<const TBitmap*>(&Graphic);
    if (!src) {
        const auto* jpeg = dynamic_cast<const TJPEGImage*>(&Graphic);
        if (!jpeg) return nullptr;
        src = &jpeg->Bitmap();
    }
    const int64_t w = src->Width();
    const int64_t h = src->Height();
    const int32_t left = Clamped(-int64_t{P.X});
    const int32_t top = Clamped(-int64_t{P.Y});
    const int32_t right = Clamped(w - P.X);
    const int32_t bottom = Clamped(h - P.Y);
    TPoint corners[4] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    RotatePoints(corners, 4, TPoint{0, 0}, Alpha);
    const TLimRec lim = GetPolygonLimits(corners, 4);
    Offset = lim.Min();

    // Pixels from outside the source take the transparent colour, fixed in
    // the result: drawn transparently, the turned picture shows nothing at
    // its corners. An opaque source without a chosen colour gets its top left
    // pixel, the colour a clear brush makes transparent.
    const bool chosen = src->Transparent() || src->TransparentMode() == TTransparentMode::tmFixed;
    TColor clear = chosen ? src->TransparentColor() : src->Pixel(0, 0);
    if (clear == clNone) clear = clWhite;
    auto result = std::make_unique<TBitmap>(*src);
    result->SetTransparentColor(clear);
    const int32_t rw = Clamped(int64_t{lim.Xmax} - lim.Xmin);
    const int32_t rh = Clamped(int64_t{lim.Ymax} - lim.Ymin);
    result->SetSize(rw, rh);

    const double c = std::cos(-Alpha);
    const double s = std::sin(-Alpha);
    for (int32_t ty = 0; ty < rh; ++ty) {
        const double y = double(Offset.Y) + ty + 0.5;
        for (int32_t tx = 0; tx < rw; ++tx) {
            const double x = double(Offset.X) + tx + 0.5;
            const int32_t sx = Clamped(int64_t{Trunc(std::floor(x * c - y * s))} + P.X);
            const int32_t sy = Clamped(int64_t{Trunc(std::floor(x * s + y * c))} + P.Y);
            const TColor color = src->Pixel(sx, sy);
            result->SetPixel(tx, ty, color == clNone ? clear : color);
        }
    }
    return result;
}

} // namespace vl
