#pragma once
// Angles of vectors and rotation of points. Angles are radians, measured from
// the positive x axis toward the positive y axis; in a device frame whose y
// axis points down a positive angle turns clockwise on the screen.

#include <cstdint>
#include <span>

#include "velloran/foundations/types.h"

namespace vl {

/// Result in -pi/2 .. 3pi/2; a vertical or null vector gives pi/2 when dy > 0,
/// else -pi/2.
double GetAngle(int32_t dx, int32_t dy);
/// As above; |dx| < 0.01 counts as vertical.
double GetAngle(double dx, double dy);
/// Angle of P1->P2 without quadrant correction (opposite directions give the
/// same angle) except on the axes: 0, pi/2, pi, 3pi/2.
double CalculateAngle(TPoint P1, TPoint P2);

void RotatePnt(TPoint& P, TPoint centre, double angle);
void RotatePoints(TPoint* points, int32_t count, TPoint centre, double angle);
inline void RotatePoints(std::span<TPoint> points, TPoint centre, double angle) {
    RotatePoints(points.data(), static_cast<int32_t>(points.size()), centre, angle);
}

} // namespace vl
