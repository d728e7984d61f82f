#pragma once
// Bounding boxes, normalisation and hit tests of points and lines.

#include <cstdint>
#include <initializer_list>
#include <span>

#include "velloran/foundations/types.h"

namespace vl {

/// Exactly these fields, not normalised.
constexpr TLimRec LimRec(int32_t Xmin, int32_t Ymin, int32_t Xmax, int32_t Ymax) {
    return TLimRec{Xmin, Ymin, Xmax, Ymax};
}

/// Field-wise hull: each field is compared only with the same field of the
/// others, so unnormalised elements stay as they are. An empty array gives an
/// empty box.
TRect MaxRect(std::span<const TRect> rects);
TLimRec MaxLimRec(std::span<const TLimRec> lims);
inline TRect MaxRect(std::initializer_list<TRect> rects) { return MaxRect(std::span(rects.begin(), rects.size())); }
inline TLimRec MaxLimRec(std::initializer_list<TLimRec> lims) {
    return MaxLimRec(std::span(lims.begin(), lims.size()));
}

/// Limits of count points; zero points give the empty start values
/// (Xmin > Xmax), by which callers recognise an empty set.
TLimRec GetPolygonLimits(const TPoint* points, int32_t count);
inline TLimRec GetPolygonLimits(std::span<const TPoint> points) {
    return GetPolygonLimits(points.data(), static_cast<int32_t>(points.size()));
}

/// True when the infinite line through P1 and P2 enters the open interior of
/// the frame (checked only where an end lies beyond the edge concerned).
bool LineInRect(TPoint P1, TPoint P2, const TLimRec& frame);
/// Crossing point of the segments P1-P2 and P3-P4, ends inclusive. Parallel,
/// collinear and degenerate segments give false; S is set only on true.
bool IntersectPoint(TPoint P1, TPoint P2, TPoint P3, TPoint P4, TPoint& S);
/// Whether P lies within Distance of segment P1-P2: a widened box for axis-
/// parallel segments (inclusive), otherwise along one axis (exclusive) and
/// without requiring P to lie between the ends.
bool PtOnLine(TPoint P, TPoint P1, TPoint P2, uint16_t Distance);
/// All bounds inclusive.
constexpr bool PtInLimits(TPoint P, const TLimRec& L) {
    return L.Xmin <= P.X && P.X <= L.Xmax && L.Ymin <= P.Y && P.Y <= L.Ymax;
}

void RectDirection(TRect& r);
void LimRecDirection(pLimRec lim);
void ExChange(int32_t& A, int32_t& B);
/// Placeholder where a procedure must be given.
void Nothing();

} // namespace vl
