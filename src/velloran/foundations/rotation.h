#pragma once
// Outlines of figures turned about a pivot. A device context cannot turn
// figures in the views' mapping, so each figure becomes a list of rotated
// outline points that the ordinary polygon and polyline operations draw.
//
// Every point (x, y) is turned like RotatePnt does it:
//   x' = px + Round((x - px)·cos α - (y - py)·sin α)
//   y' = py + Round((x - px)·sin α + (y - py)·cos α)
// with real x, y where the outline point is real; α in radians.

#include <cstdint>
#include <memory>

#include "velloran/foundations/point_list.h"
#include "velloran/foundations/types.h"

namespace vl {

/// Outline segments per half turn: elliptic outlines are sampled every π/16.
inline constexpr int32_t Rot_OutlineDiv = 16;

/// The four corners: (L,T), (R,T), (R,B), (L,B).
std::unique_ptr<TPointList> RotatedPnts_Rectangle(const TRect& R, TPoint Pivot, double Alpha);
/// 2·Rot_OutlineDiv points, starting at (Right, centre y) and running towards
/// increasing parametric angle (clockwise on a y-down device).
std::unique_ptr<TPointList> RotatedPnts_Ellipse(const TRect& R, TPoint Pivot, double Alpha);
/// 16 points: each corner by its two end points and its arc points at 30° and 60°.
std::unique_ptr<TPointList> RotatedPnts_RoundRect(const TRect& R, int32_t W, int32_t H,
                                                  TPoint Pivot, double Alpha);
/// The elliptic arc that a device context draws counter-clockwise from the ray
/// through P1 to the ray through P2, listed from P2's end to P1's end.
std::unique_ptr<TPointList> RotatedPnts_Arc(const TRect& R, TPoint P1, TPoint P2, TPoint Pivot,
                                            double Alpha);
/// The arc's points; the polygon through them closes the chord.
std::unique_ptr<TPointList> RotatedPnts_Chord(const TRect& R, TPoint P1, TPoint P2, TPoint Pivot,
                                              double Alpha);
/// The arc's points followed by the centre.
std::unique_ptr<TPointList> RotatedPnts_Pie(const TRect& R, TPoint P1, TPoint P2, TPoint Pivot,
                                            double Alpha);

} // namespace vl
