#include "velloran/foundations/geometry.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "velloran/foundations/round.h"

namespace vl {

TRect MaxRect(std::span<const TRect> rects) {
    if (rects.empty()) return {};
    TRect r = rects.back();
    for (const TRect& e : rects.first(rects.size() - 1)) {
        r.Left = std::min(r.Left, e.Left);
        r.Top = std::min(r.Top, e.Top);
        r.Right = std::max(r.Right, e.Right);
        r.Bottom = std::max(r.Bottom, e.Bottom);
    }
    return r;
}

TLimRec MaxLimRec(std::span<const TLimRec> lims) {
    if (lims.empty()) return LimRec(EmptyLimMin, EmptyLimMin, EmptyLimMax, EmptyLimMax);
    TLimRec r = lims.back();
    for (const TLimRec& e : lims.first(lims.size() - 1)) {
        r.Xmin = std::min(r.Xmin, e.Xmin);
        r.Ymin = std::min(r.Ymin, e.Ymin);
        r.Xmax = std::max(r.Xmax, e.Xmax);
        r.Ymax = std::max(r.Ymax, e.Ymax);
    }
    return r;
}

TLimRec GetPolygonLimits(const TPoint* points, int32_t count) {
    TLimRec r = LimRec(EmptyLimMin, EmptyLimMin, EmptyLimMax, EmptyLimMax);
    for (int32_t i = 0; i < count; ++i) {
        r.Xmin = std::min(r.Xmin, points[i].X);
        r.Ymin = std::min(r.Ymin, points[i].Y);
        r.Xmax = std::max(r.Xmax, points[i].X);
        r.Ymax = std::max(r.Ymax, points[i].Y);
    }
    return r;
}

bool LineInRect(TPoint P1, TPoint P2, const TLimRec& L) {
    auto inside = [&](TPoint p) { return L.Xmin < p.X && p.X < L.Xmax && L.Ymin < p.Y && p.Y < L.Ymax; };
    if (inside(P1) || inside(P2)) return true;
    // Differences in double: 32-bit coordinates may be far apart.
    const double x1 = P1.X, y1 = P1.Y;
    if (P1.X != P2.X) {
        const double m = (double(P2.Y) - y1) / (double(P2.X) - x1);
        if (P2.X > L.Xmax || P1.X > L.Xmax) {
            const double y = m * (double(L.Xmax) - x1) + y1;
            if (L.Ymin < y && y < L.Ymax) return true;
        }
        if (P2.X < L.Xmin || P1.X < L.Xmin) {
            const double y = m * (double(L.Xmin) - x1) + y1;
            if (L.Ymin < y && y < L.Ymax) return true;
        }
    }
    if (P1.Y == P2.Y) return false;
    const double k = (double(P2.X) - x1) / (double(P2.Y) - y1);
    if (P2.Y > L.Ymax || P1.Y > L.Ymax) {
        const double x = k * (double(L.Ymax) - y1) + x1;
        if (L.Xmin < x && x < L.Xmax) return true;
    }
    if (!(P2.Y < L.Ymin || P1.Y < L.Ymin)) return false;
    const double x = k * (double(L.Ymin) - y1) + x1;
    return L.Xmin < x && x < L.Xmax;
}

namespace {
// Wide enough for the products of 33-bit differences with 64-bit coefficients.
#if defined(__SIZEOF_INT128__)
__extension__ typedef __int128 Wide;
#else
typedef long double Wide;
#endif

bool Within(double v, int32_t a, int32_t b) { return std::min(a, b) <= v && v <= std::max(a, b); }
} // namespace

bool IntersectPoint(TPoint P1, TPoint P2, TPoint P3, TPoint P4, TPoint& S) {
    const int64_t a1 = int64_t{P2.Y} - P1.Y, b1 = int64_t{P1.X} - P2.X;
    const int64_t a2 = int64_t{P4.Y} - P3.Y, b2 = int64_t{P3.X} - P4.X;
    const Wide c1 = -Wide(a1) * P1.X - Wide(b1) * P1.Y;
    const Wide c2 = -Wide(a2) * P3.X - Wide(b2) * P3.Y;
    const Wide d = Wide(a1) * b2 - Wide(a2) * b1;
    if (d == 0) return false;
    const double x = double(Wide(b1) * c2 - Wide(b2) * c1) / double(d);
    if (!Within(x, P1.X, P2.X) || !Within(x, P3.X, P4.X)) return false;
    const double y = double(c1 * a2 - c2 * a1) / double(d);
    if (!Within(y, P1.Y, P2.Y) || !Within(y, P3.Y, P4.Y)) return false;
    S = {Round(x), Round(y)};
    return true;
}

bool PtOnLine(TPoint P, TPoint P1, TPoint P2, uint16_t Distance) {
    const int64_t D = Distance;
    if (P1.X == P2.X || P1.Y == P2.Y) {
        return std::min(P1.X, P2.X) - D <= P.X && P.X <= std::max(P1.X, P2.X) + D &&
               std::min(P1.Y, P2.Y) - D <= P.Y && P.Y <= std::max(P1.Y, P2.Y) + D;
    }
    const TPoint A = P1.X < P2.X ? P1 : P2;
    const TPoint B = P1.X < P2.X ? P2 : P1;
    const double m = (double(A.Y) - B.Y) / (double(B.X) - A.X);
    if (std::abs(m) <= 1) {
        const int64_t y = A.Y - Round64((double(P.X) - A.X) * m);
        return std::llabs(y - P.Y) < D;
    }
    const int64_t x = A.X + Round64((double(A.Y) - P.Y) / m);
    return std::llabs(x - P.X) < D;
}

void RectDirection(TRect& r) {
    if (r.Left > r.Right) std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
}

void LimRecDirection(pLimRec lim) {
    if (!lim) return;
    if (lim->Xmax < lim->Xmin) std::swap(lim->Xmin, lim->Xmax);
    if (lim->Ymax < lim->Ymin) std::swap(lim->Ymin, lim->Ymax);
}

void ExChange(int32_t& A, int32_t& B) { std::swap(A, B); }

void Nothing() {}

} // namespace vl
