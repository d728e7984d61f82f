#include "velloran/foundations/rotation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "velloran/foundations/angles.h"
#include "velloran/foundations/round.h"

namespace vl {

namespace {

// RotatePnt's formula with cos and sin computed once per outline, for real
// input points. The pivot is added after rounding, exactly as RotatePnt does.
class TRotator {
public:
    TRotator(TPoint pivot, double alpha)
        : FPivot(pivot), FCos(std::cos(alpha)), FSin(std::sin(alpha)) {}

    TPoint operator()(double x, double y) const {
        const double u = x - FPivot.X;
        const double v = y - FPivot.Y;
        return {Shift(FPivot.X, u * FCos - v * FSin), Shift(FPivot.Y, u * FSin + v * FCos)};
    }

private:
    static int32_t Shift(int32_t base, double delta) {
        const int64_t r = int64_t{base} + Round(delta);
        return static_cast<int32_t>(std::clamp<int64_t>(r, INT32_MIN, INT32_MAX));
    }

    TPoint FPivot;
    double FCos;
    double FSin;
};

// Half axes and centre of the ellipse inscribed in R, as real values.
struct TEllipseGeom {
    double a, b, cx, cy;
    explicit TEllipseGeom(const TRect& R)
        : a((double(R.Right) - R.Left) / 2), b((double(R.Bottom) - R.Top) / 2), cx(R.Left + a),
          cy(R.Top + b) {}
};

std::unique_ptr<TPointList> NewList(int32_t capacity) {
    auto list = std::make_unique<TPointList>();
    list->SetCapacity(capacity);
    return list;
}

// Appends the arc points of RotatedPnts_Arc to list.
void AppendArc(TPointList& list, const TRect& R, TPoint P1, TPoint P2, const TRotator& rot) {
    const TEllipseGeom e(R);
    // Scaling by the other half axis turns the ray angles into parametric ones.
    double theta1 = GetAngle((P1.X - e.cx) * e.b, (P1.Y - e.cy) * e.a);
    const double theta2 = GetAngle((P2.X - e.cx) * e.b, (P2.Y - e.cy) * e.a);
    if (theta2 > theta1) theta1 += 2 * std::numbers::pi;
    const double step = std::numbers::pi / Rot_OutlineDiv;
    for (double theta = theta2; theta < theta1; theta += step)
        list.Add(rot(e.cx + e.a * std::cos(theta), e.cy + e.b * std::sin(theta)));
    list.Add(rot(e.cx + e.a * std::cos(theta1), e.cy + e.b * std::sin(theta1)));
}

} // namespace

std::unique_ptr<TPointList> RotatedPnts_Rectangle(const TRect& R, TPoint Pivot, double Alpha) {
    const TRotator rot(Pivot, Alpha);
    auto list = NewList(4);
    list->Add(rot(R.Left, R.Top));
    list->Add(rot(R.Right, R.Top));
    list->Add(rot(R.Right, R.Bottom));
    list->Add(rot(R.Left, R.Bottom));
    return list;
}

std::unique_ptr<TPointList> RotatedPnts_Ellipse(const TRect& R, TPoint Pivot, double Alpha) {
    const TRotator rot(Pivot, Alpha);
    const TEllipseGeom e(R);
    auto list = NewList(2 * Rot_OutlineDiv);
    list->Add(rot(R.Right, e.cy));
    for (int32_t i = 1; i < 2 * Rot_OutlineDiv; ++i) {
        const double theta = i * std::numbers::pi / Rot_OutlineDiv;
        list->Add(rot(e.cx + e.a * std::cos(theta), e.cy + e.b * std::sin(theta)));
    }
    return list;
}

std::unique_ptr<TPointList> RotatedPnts_RoundRect(const TRect& R, int32_t W, int32_t H,
                                                  TPoint Pivot, double Alpha) {
    const TRotator rot(Pivot, Alpha);
    const double rx = W / 2.0;
    const double ry = H / 2.0;
    const double cos30 = std::sqrt(3.0) / 2;
    const double dx30 = rx * (1 - cos30);
    const double dx60 = rx * 0.5;
    const double dy30 = ry * 0.5;
    const double dy60 = ry * (1 - cos30);
    const double L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    const double pts[16][2] = {
        {L, T + ry},  {L + dx30, T + dy30},  {L + dx60, T + dy60},  {L + rx, T},
        {Rt - rx, T}, {Rt - dx60, T + dy60}, {Rt - dx30, T + dy30}, {Rt, T + ry},
        {Rt, B - ry}, {Rt - dx30, B - dy30}, {Rt - dx60, B - dy60}, {Rt - rx, B},
        {L + rx, B},  {L + dx60, B - dy60},  {L + dx30, B - dy30},  {L, B - ry},
    };
    auto list = NewList(16);
    for (const auto& p : pts)
        list->Add(rot(p[0], p[1]));
    return list;
}

std::unique_ptr<TPointList> RotatedPnts_Arc(const TRect& R, TPoint P1, TPoint P2, TPoint Pivot,
                                            double Alpha) {
    auto list = NewList(Rot_OutlineDiv);
    AppendArc(*list, R, P1, P2, TRotator(Pivot, Alpha));
    return list;
}

std::unique_ptr<TPointList> RotatedPnts_Chord(const TRect& R, TPoint P1, TPoint P2, TPoint Pivot,
                                              double Alpha) {
    return RotatedPnts_Arc(R, P1, P2, Pivot, Alpha);
}

std::unique_ptr<TPointList> RotatedPnts_Pie(const TRect& R, TPoint P1, TPoint P2, TPoint Pivot,
                                            double Alpha) {
    const TRotator rot(Pivot, Alpha);
    const TEllipseGeom e(R);
    auto list = NewList(Rot_OutlineDiv + 2);
    AppendArc(*list, R, P1, P2, rot);
    list->Add(rot(e.cx, e.cy));
    return list;
}

} // namespace vl
