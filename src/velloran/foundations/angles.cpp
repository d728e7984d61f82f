#include "velloran/foundations/angles.h"

#include <cmath>
#include <numbers>

#include "velloran/foundations/round.h"

namespace vl {

using std::numbers::pi;

double GetAngle(int32_t dx, int32_t dy) {
    if (dx == 0) return dy > 0 ? pi / 2 : -pi / 2;
    const double a = std::atan(double(dy) / double(dx));
    return dx > 0 ? a : a + pi;
}

double GetAngle(double dx, double dy) {
    if (std::abs(dx) < 0.01) return dy > 0 ? pi / 2 : -pi / 2;
    const double a = std::atan(dy / dx);
    return dx > 0 ? a : a + pi;
}

double CalculateAngle(TPoint P1, TPoint P2) {
    const double dx = double(P2.X) - P1.X;
    const double dy = double(P2.Y) - P1.Y;
    if (dy == 0) return dx >= 0 ? 0.0 : pi;
    if (dx == 0) return dy > 0 ? pi / 2 : 3 * pi / 2;
    return std::atan(dy / dx);
}

namespace {

int32_t Clamp32(int64_t v) {
    return v < INT32_MIN ? INT32_MIN : (v > INT32_MAX ? INT32_MAX : static_cast<int32_t>(v));
}

// Rounds the offset, not the sum: adding an odd centre would move exact halves.
void Turn(TPoint& P, TPoint centre, double c, double s) {
    const double u = double(P.X) - centre.X;
    const double v = double(P.Y) - centre.Y;
    const int64_t x = centre.X + Round64(u * c - v * s);
    const int64_t y = centre.Y + Round64(u * s + v * c);
    P = {Clamp32(x), Clamp32(y)};
}

} // namespace

void RotatePnt(TPoint& P, TPoint centre, double angle) { Turn(P, centre, std::cos(angle), std::sin(angle)); }

void RotatePoints(TPoint* points, int32_t count, TPoint centre, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    for (int32_t i = 0; i < count; ++i) Turn(points[i], centre, c, s);
}

} // namespace vl
