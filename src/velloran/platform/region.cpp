#include "velloran/platform/region.h"

#include <algorithm>
#include <cmath>

#include "velloran/foundations/round.h"

namespace vl {

namespace {
TRect Normalised(const TRect& r) {
    return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
            std::max(r.Top, r.Bottom)};
}
} // namespace

TRegion TRegion::CreateRect(const TRect& r) {
    TRegion g;
    g.FKind = TKind::rkRect;
    g.FBox = Normalised(r);
    return g;
}

TRegion TRegion::CreateEllipse(const TRect& r) {
    TRegion g = CreateRect(r);
    g.FKind = TKind::rkEllipse;
    return g;
}

TRegion TRegion::CreateRoundRect(const TRect& r, int32_t cornerW, int32_t cornerH) {
    TRegion g = CreateRect(r);
    g.FKind = TKind::rkRoundRect;
    g.FCornerW = static_cast<int32_t>(std::min<int64_t>(
        std::abs(static_cast<int64_t>(cornerW)), static_cast<int64_t>(g.FBox.Right) - g.FBox.Left));
    g.FCornerH = static_cast<int32_t>(std::min<int64_t>(
        std::abs(static_cast<int64_t>(cornerH)), static_cast<int64_t>(g.FBox.Bottom) - g.FBox.Top));
    return g;
}

TRegion TRegion::CreatePolygon(std::span<const TPoint> pts, TPolyFillMode mode) {
    TRegion g;
    if (pts.size() < 3) return g;
    g.FKind = TKind::rkPolygon;
    g.FFillMode = mode;
    g.FPoints.assign(pts.begin(), pts.end());
    g.FBox = {pts[0].X, pts[0].Y, pts[0].X, pts[0].Y};
    for (const auto& p : pts) {
        g.FBox.Left = std::min(g.FBox.Left, p.X);
        g.FBox.Top = std::min(g.FBox.Top, p.Y);
        g.FBox.Right = std::max(g.FBox.Right, p.X);
        g.FBox.Bottom = std::max(g.FBox.Bottom, p.Y);
    }
    return g;
}

bool TRegion::Empty() const {
    return FKind == TKind::rkEmpty || FBox.Right <= FBox.Left || FBox.Bottom <= FBox.Top;
}

bool TRegion::InShape(double x, double y) const {
    const TRect& b = FBox;
    if (x < b.Left || x > b.Right || y < b.Top || y > b.Bottom) return false;
    auto inEllipse = [](double x, double y, double cx, double cy, double a, double e) {
        if (a <= 0 || e <= 0) return false;
        const double u = (x - cx) / a, v = (y - cy) / e;
        return u * u + v * v <= 1.0;
    };
    switch (FKind) {
    case TKind::rkEmpty:
        return false;
    case TKind::rkRect:
        return true;
    case TKind::rkEllipse:
        return inEllipse(x, y, (b.Left + 0.0 + b.Right) / 2, (b.Top + 0.0 + b.Bottom) / 2,
                         (b.Right - 0.0 - b.Left) / 2, (b.Bottom - 0.0 - b.Top) / 2);
    case TKind::rkRoundRect: {
        const double rx = FCornerW / 2.0, ry = FCornerH / 2.0;
        // Only the four corner boxes are cut by the corner ellipses.
        const double cx = x < b.Left + rx ? b.Left + rx : x > b.Right - rx ? b.Right - rx : x;
        const double cy = y < b.Top + ry ? b.Top + ry : y > b.Bottom - ry ? b.Bottom - ry : y;
        if (cx == x || cy == y) return true;
        return inEllipse(x, y, cx, cy, rx, ry);
    }
    case TKind::rkPolygon: {
        int winding = 0, crossings = 0;
        const size_t n = FPoints.size();
        for (size_t i = 0; i < n; ++i) {
            const TPoint& p = FPoints[i];
            const TPoint& q = FPoints[(i + 1) % n];
            if ((p.Y <= y) == (q.Y <= y)) continue;
            const double t = (y - p.Y) / static_cast<double>(q.Y - p.Y);
            if (p.X + t * (q.X - p.X) > x) {
                ++crossings;
                winding += q.Y > p.Y ? 1 : -1;
            }
        }
        return FFillMode == TPolyFillMode::WINDING ? winding != 0 : (crossings & 1) != 0;
    }
    }
    return false;
}

bool TRegion::PtInRegion(TPoint p) const {
    if (Empty()) return false;
    return InShape(p.X + 0.5, p.Y + 0.5);
}

bool TRegion::RectInRegion(const TRect& r) const {
    if (Empty()) return false;
    const TRect n = Normalised(r);
    const TRect i{std::max(n.Left, FBox.Left), std::max(n.Top, FBox.Top),
                  std::min(n.Right, FBox.Right), std::min(n.Bottom, FBox.Bottom)};
    if (i.Left >= i.Right || i.Top >= i.Bottom) return false;
    if (FKind == TKind::rkRect) return true;
    for (const TRect& s : Scans())
        if (s.Left < i.Right && s.Right > i.Left && s.Top < i.Bottom && s.Bottom > i.Top)
            return true;
    return false;
}

void TRegion::Offset(int32_t dx, int32_t dy) {
    FBox = {FBox.Left + dx, FBox.Top + dy, FBox.Right + dx, FBox.Bottom + dy};
    for (auto& p : FPoints)
        p = {p.X + dx, p.Y + dy};
}

namespace {
using TSpans = std::vector<std::pair<int32_t, int32_t>>;

// Collects rows of spans into rectangles; a band whose spans equal the
// previous band's extends those rectangles downwards.
class TScanBuilder {
  public:
    explicit TScanBuilder(std::vector<TRect>& out) : FOut(out) {}
    void Band(int32_t top, int32_t bottom, const TSpans& spans) {
        if (top >= bottom) return;
        if (spans == FPrev && FPrevBottom == top) {
            for (size_t i = FPrevStart; i < FOut.size(); ++i)
                FOut[i].Bottom = bottom;
        } else {
            FPrevStart = FOut.size();
            for (const auto& [l, r] : spans)
                FOut.push_back({l, top, r, bottom});
            FPrev = spans;
        }
        FPrevBottom = bottom;
    }

  private:
    std::vector<TRect>& FOut;
    TSpans FPrev;
    size_t FPrevStart = 0;
    int32_t FPrevBottom = 0;
};

struct TEdge {
    int32_t Top, Bottom; // rows Top <= y < Bottom cross this edge
    double X0, Slope;    // x at row centre: X0 + (y + 0.5) * Slope
    int Dir;
};
} // namespace

// Pixel x lies in a span when its centre is inside: c_k <= x + 0.5 < c_k+1
// for a covered interval between sorted crossings.
static void SpansOfCrossings(std::vector<std::pair<double, int>>& cross, bool winding, int32_t lo,
                             int32_t hi, TSpans& spans) {
    spans.clear();
    std::sort(cross.begin(), cross.end());
    int sum = 0;
    for (size_t k = 0; k + 1 < cross.size(); ++k) {
        sum += winding ? cross[k].second : 1;
        const bool inside = winding ? sum != 0 : (sum & 1) != 0;
        if (!inside) continue;
        const int32_t x0 = std::max(lo, Round(std::ceil(cross[k].first - 0.5)));
        const int32_t x1 = std::min(hi, Round(std::ceil(cross[k + 1].first - 0.5)));
        if (x0 >= x1) continue;
        if (!spans.empty() && spans.back().second >= x0)
            spans.back().second = std::max(spans.back().second, x1);
        else
            spans.push_back({x0, x1});
    }
}

std::vector<TRect> TRegion::Scans() const {
    std::vector<TRect> out;
    if (Empty()) return out;
    if (FKind == TKind::rkRect) return {FBox};
    TScanBuilder builder(out);
    TSpans spans;
    if (FKind != TKind::rkPolygon) {
        // Convex shapes: each row is one run around the centre, found by
        // bisection with the same test as PtInRegion.
        const double cx = (FBox.Left + 0.0 + FBox.Right) / 2;
        for (int32_t y = FBox.Top; y < FBox.Bottom; ++y) {
            spans.clear();
            const double yc = y + 0.5;
            int32_t mid =
                std::clamp(static_cast<int32_t>(std::floor(cx)), FBox.Left, FBox.Right - 1);
            if (!InShape(mid + 0.5, yc) && mid + 1 < FBox.Right && InShape(mid + 1.5, yc)) ++mid;
            if (InShape(mid + 0.5, yc)) {
                int32_t lo = FBox.Left, hi = mid; // first inside in [lo, hi]
                while (lo < hi) {
                    const int32_t m =
                        static_cast<int32_t>(lo + (static_cast<int64_t>(hi) - lo) / 2);
                    if (InShape(m + 0.5, yc))
                        hi = m;
                    else
                        lo = m + 1;
                }
                int32_t l2 = mid, h2 = FBox.Right - 1; // last inside in [l2, h2]
                while (l2 < h2) {
                    const int32_t m =
                        static_cast<int32_t>(l2 + (static_cast<int64_t>(h2) - l2 + 1) / 2);
                    if (InShape(m + 0.5, yc))
                        l2 = m;
                    else
                        h2 = m - 1;
                }
                spans.push_back({lo, l2 + 1});
            }
            builder.Band(y, y + 1, spans);
        }
        return out;
    }
    // Polygons: sweep the bands between vertex rows. Where every edge of a
    // band is vertical, the whole band shares one set of spans.
    std::vector<TEdge> edges;
    std::vector<int32_t> ys;
    const size_t n = FPoints.size();
    for (size_t i = 0; i < n; ++i) {
        const TPoint& p = FPoints[i];
        const TPoint& q = FPoints[(i + 1) % n];
        ys.push_back(p.Y);
        if (p.Y == q.Y) continue;
        const TPoint& a = p.Y < q.Y ? p : q;
        const TPoint& b = p.Y < q.Y ? q : p;
        const double slope = static_cast<double>(b.X - a.X) / (static_cast<double>(b.Y) - a.Y);
        edges.push_back({a.Y, b.Y, a.X - a.Y * slope, slope, q.Y > p.Y ? 1 : -1});
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    std::sort(edges.begin(), edges.end(),
              [](const TEdge& a, const TEdge& b) { return a.Top < b.Top; });
    const bool winding = FFillMode == TPolyFillMode::WINDING;
    std::vector<const TEdge*> active;
    std::vector<std::pair<double, int>> cross;
    size_t next = 0;
    for (size_t k = 0; k + 1 < ys.size(); ++k) {
        const int32_t top = ys[k], bottom = ys[k + 1];
        std::erase_if(active, [top](const TEdge* e) { return e->Bottom <= top; });
        while (next < edges.size() && edges[next].Top <= top)
            active.push_back(&edges[next++]);
        const bool vertical =
            std::all_of(active.begin(), active.end(), [](const TEdge* e) { return e->Slope == 0; });
        for (int32_t y = top; y < bottom; ++y) {
            cross.clear();
            for (const TEdge* e : active)
                cross.push_back({e->X0 + (y + 0.5) * e->Slope, e->Dir});
            SpansOfCrossings(cross, winding, FBox.Left, FBox.Right, spans);
            if (vertical) {
                builder.Band(top, bottom, spans);
                break;
            }
            builder.Band(y, y + 1, spans);
        }
    }
    return out;
}

} // namespace vl
