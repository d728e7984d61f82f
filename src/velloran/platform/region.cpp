#include "velloran/platform/region.h"

#include <algorithm>
#include <cmath>

#include "velloran/foundations/saturate.h"

namespace vl {

namespace {

bool NoArea(const TRect& r) { return r.Left >= r.Right || r.Top >= r.Bottom; }

// ---- Polygons --------------------------------------------------------------
// Pixel centres lie on half-integer rows and vertices on integer ones, so a
// row never passes through a vertex. Both PtInRegion and the row scans take a
// crossing from this one expression, which keeps them in exact agreement.

struct Crossing {
    double x;
    int dir;
};

bool Spans(TPoint a, TPoint b, double y) {
    return a.Y != b.Y && std::min(a.Y, b.Y) <= y && y < std::max(a.Y, b.Y);
}

double CrossX(TPoint a, TPoint b, double y) {
    return a.X + (y - a.Y) * (double(b.X) - a.X) / (double(b.Y) - a.Y);
}

bool Inside(int winding, TPolyFillMode mode) {
    return mode == TPolyFillMode::ALTERNATE ? (winding & 1) != 0 : winding != 0;
}

// The first pixel whose centre is at or right of x (a crossing at x itself counts as passed).
int64_t FirstPixelFrom(double x) {
    int64_t p = static_cast<int64_t>(std::ceil(x - 0.5));
    if (double(p - 1) + 0.5 >= x) --p;
    if (double(p) + 0.5 < x) ++p;
    return p;
}

using Run = std::pair<int32_t, int32_t>; // [first pixel, end pixel)

// Runs of one row from its crossings, which are sorted here.
void PolygonRuns(std::vector<Crossing>& xs, TPolyFillMode mode, const TRect& box, std::vector<Run>& out) {
    std::sort(xs.begin(), xs.end(), [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
    int winding = 0;
    int64_t start = 0;
    for (const Crossing& c : xs) {
        const bool was = Inside(winding, mode);
        winding += c.dir;
        const bool is = Inside(winding, mode);
        if (was == is) continue;
        const int64_t p = std::clamp<int64_t>(FirstPixelFrom(c.x), box.Left, box.Right);
        if (is) {
            start = p;
        } else if (p > start) {
            if (!out.empty() && out.back().second == start)
                out.back().second = static_cast<int32_t>(p);
            else
                out.emplace_back(static_cast<int32_t>(start), static_cast<int32_t>(p));
        }
    }
}

// Walks the rows of a polygon downwards with an active edge list, so a scan
// costs rows x active edges rather than rows x all edges.
class PolygonRows {
public:
    explicit PolygonRows(const TRegion& rgn) : FPts(rgn.Points()), FMode(rgn.FillMode()), FBox(rgn.Box()) {
        const size_t n = FPts.size();
        for (size_t i = 0; i < n; ++i)
            if (FPts[i].Y != FPts[(i + 1) % n].Y) FEdges.push_back(static_cast<uint32_t>(i));
        std::sort(FEdges.begin(), FEdges.end(), [&](uint32_t a, uint32_t b) { return Top(a) < Top(b); });
    }

    // Rows must be asked in increasing order.
    void Runs(int32_t y, std::vector<Run>& out) {
        out.clear();
        while (FNext < FEdges.size() && Top(FEdges[FNext]) <= y) FActive.push_back(FEdges[FNext++]);
        std::erase_if(FActive, [&](uint32_t e) { return Bottom(e) <= y; });
        const double py = y + 0.5;
        FCross.clear();
        for (uint32_t e : FActive) {
            const TPoint a = A(e), b = B(e);
            FCross.push_back({CrossX(a, b, py), b.Y > a.Y ? 1 : -1});
        }
        PolygonRuns(FCross, FMode, FBox, out);
    }

private:
    TPoint A(uint32_t e) const { return FPts[e]; }
    TPoint B(uint32_t e) const { return FPts[(e + 1) % FPts.size()]; }
    int32_t Top(uint32_t e) const { return std::min(A(e).Y, B(e).Y); }
    int32_t Bottom(uint32_t e) const { return std::max(A(e).Y, B(e).Y); }

    const std::vector<TPoint>& FPts;
    TPolyFillMode FMode;
    TRect FBox;
    std::vector<uint32_t> FEdges, FActive;
    std::vector<Crossing> FCross;
    size_t FNext = 0;
};

} // namespace

// ---- Construction ----------------------------------------------------------

TRegion TRegion::CreateRect(const TRect& r) {
    TRegion g;
    g.FKind = TKind::rkRect;
    g.FBox = r.Normalised();
    return g;
}

TRegion TRegion::CreateEllipse(const TRect& r) {
    TRegion g;
    g.FKind = TKind::rkEllipse;
    g.FBox = r.Normalised();
    return g;
}

TRegion TRegion::CreateRoundRect(const TRect& r, int32_t cornerW, int32_t cornerH) {
    TRegion g;
    g.FKind = TKind::rkRoundRect;
    g.FBox = r.Normalised();
    // The corner ellipse never exceeds the box, as on a device context.
    g.FCornerW = static_cast<int32_t>(std::min<int64_t>(std::llabs(cornerW), int64_t{g.FBox.Right} - g.FBox.Left));
    g.FCornerH = static_cast<int32_t>(std::min<int64_t>(std::llabs(cornerH), int64_t{g.FBox.Bottom} - g.FBox.Top));
    return g;
}

TRegion TRegion::CreatePolygon(std::span<const TPoint> pts, TPolyFillMode mode) {
    TRegion g;
    g.FKind = TKind::rkPolygon;
    g.FFillMode = mode;
    g.FPoints.assign(pts.begin(), pts.end());
    if (!pts.empty()) {
        g.FBox = {pts[0].X, pts[0].Y, pts[0].X, pts[0].Y};
        for (const TPoint& p : pts) {
            g.FBox.Left = std::min(g.FBox.Left, p.X);
            g.FBox.Top = std::min(g.FBox.Top, p.Y);
            g.FBox.Right = std::max(g.FBox.Right, p.X);
            g.FBox.Bottom = std::max(g.FBox.Bottom, p.Y);
        }
    }
    return g;
}

bool TRegion::Empty() const {
    return FKind == TKind::rkEmpty || NoArea(FBox) || (FKind == TKind::rkPolygon && FPoints.size() < 3);
}

void TRegion::Offset(int32_t dx, int32_t dy) {
    FBox = {AddSat(FBox.Left, dx), AddSat(FBox.Top, dy), AddSat(FBox.Right, dx), AddSat(FBox.Bottom, dy)};
    for (TPoint& p : FPoints) p = {AddSat(p.X, dx), AddSat(p.Y, dy)};
}

// ---- Membership ------------------------------------------------------------

bool TRegion::InShape(double x, double y) const {
    const double L = FBox.Left, T = FBox.Top, R = FBox.Right, B = FBox.Bottom;
    if (!(L <= x && x <= R && T <= y && y <= B)) return false;
    switch (FKind) {
    case TKind::rkEmpty:
        return false;
    case TKind::rkRect:
        return true;
    case TKind::rkEllipse: {
        const double rx = (R - L) / 2, ry = (B - T) / 2;
        const double u = (x - (L + rx)) / rx, v = (y - (T + ry)) / ry;
        return u * u + v * v <= 1;
    }
    case TKind::rkRoundRect: {
        const double rx = FCornerW / 2.0, ry = FCornerH / 2.0;
        if (rx <= 0 || ry <= 0) return true;
        const double cx = x < L + rx ? L + rx : (x > R - rx ? R - rx : x);
        const double cy = y < T + ry ? T + ry : (y > B - ry ? B - ry : y);
        if (cx == x || cy == y) return true;
        const double u = (x - cx) / rx, v = (y - cy) / ry;
        return u * u + v * v <= 1;
    }
    case TKind::rkPolygon: {
        int winding = 0;
        const size_t n = FPoints.size();
        for (size_t i = 0; i < n; ++i) {
            const TPoint a = FPoints[i], b = FPoints[(i + 1) % n];
            if (Spans(a, b, y) && CrossX(a, b, y) <= x) winding += b.Y > a.Y ? 1 : -1;
        }
        return Inside(winding, FFillMode);
    }
    }
    return false;
}

bool TRegion::PtInRegion(TPoint p) const {
    if (Empty() || p.X < FBox.Left || p.X >= FBox.Right || p.Y < FBox.Top || p.Y >= FBox.Bottom) return false;
    return InShape(p.X + 0.5, p.Y + 0.5);
}

namespace {

// Ellipses and rounded rectangles meet every row in one run, symmetric about
// the middle: the middle pixel is inside whenever any is, and the ends are
// found by bisection with the membership test itself.
template <typename In>
bool ConvexRun(const TRect& box, In in, Run& run) {
    int64_t mid = box.Left + (int64_t{box.Right} - box.Left - 1) / 2;
    if (!in(mid) && !in(++mid)) return false;
    int64_t lo = box.Left, hi = mid; // first inside pixel in [lo, hi]
    while (lo < hi) {
        const int64_t m = lo + (hi - lo) / 2;
        if (in(m)) hi = m; else lo = m + 1;
    }
    run.first = static_cast<int32_t>(lo);
    lo = mid;
    hi = int64_t{box.Right} - 1; // last inside pixel in [lo, hi]
    while (lo < hi) {
        const int64_t m = hi - (hi - lo) / 2;
        if (in(m)) lo = m; else hi = m - 1;
    }
    run.second = static_cast<int32_t>(lo + 1);
    return true;
}

} // namespace

// Calls visit(y, runs) for each row of the region from top to bottom.
template <typename Visit>
static void ForEachRow(const TRegion& rgn, int32_t top, int32_t bottom, Visit visit) {
    std::vector<Run> runs;
    const TRect& box = rgn.Box();
    if (rgn.Kind() == TRegion::TKind::rkRect) {
        runs.emplace_back(box.Left, box.Right);
        for (int32_t y = top; y < bottom; ++y)
            if (!visit(y, runs)) return;
        return;
    }
    if (rgn.Kind() == TRegion::TKind::rkPolygon) {
        PolygonRows rows(rgn);
        for (int32_t y = top; y < bottom; ++y) {
            rows.Runs(y, runs);
            if (!visit(y, runs)) return;
        }
        return;
    }
    for (int32_t y = top; y < bottom; ++y) {
        runs.clear();
        Run r;
        if (ConvexRun(box, [&](int64_t x) { return rgn.PtInRegion({static_cast<int32_t>(x), y}); }, r))
            runs.push_back(r);
        if (!visit(y, runs)) return;
    }
}

bool TRegion::RectInRegion(const TRect& rect) const {
    if (Empty()) return false;
    const TRect r = rect.Normalised();
    const TRect clip{std::max(r.Left, FBox.Left), std::max(r.Top, FBox.Top), std::min(r.Right, FBox.Right),
                     std::min(r.Bottom, FBox.Bottom)};
    if (NoArea(clip)) return false;
    if (FKind == TKind::rkRect) return true;
    bool hit = false;
    ForEachRow(*this, clip.Top, clip.Bottom, [&](int32_t, const std::vector<Run>& runs) {
                   for (const Run& run : runs)
                       if (run.first < clip.Right && clip.Left < run.second) hit = true;
                   return !hit;
               });
    return hit;
}

std::vector<TRect> TRegion::Scans() const {
    std::vector<TRect> out;
    if (Empty()) return out;
    if (FKind == TKind::rkRect) return {FBox};
    // Equal neighbouring rows share one band of rectangles.
    std::vector<Run> band;
    size_t bandStart = 0;
    ForEachRow(*this, FBox.Top, FBox.Bottom, [&](int32_t y, const std::vector<Run>& runs) {
        if (!runs.empty() && runs == band && bandStart < out.size() && out.back().Bottom == y) {
            for (size_t i = bandStart; i < out.size(); ++i) out[i].Bottom = y + 1;
            return true;
        }
        band = runs;
        bandStart = out.size();
        for (const Run& run : runs) out.push_back({run.first, y, run.second, y + 1});
        return true;
    });
    return out;
}

} // namespace vl
