#include "velloran/platform/region.h"

#include <algorithm>

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
    g.FCornerW = std::min(std::abs(cornerW), g.FBox.Width());
    g.FCornerH = std::min(std::abs(cornerH), g.FBox.Height());
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
    return FKind == TKind::rkEmpty || FBox.Width() <= 0 || FBox.Height() <= 0;
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
        return inEllipse(x, y, (b.Left + b.Right) / 2.0, (b.Top + b.Bottom) / 2.0, b.Width() / 2.0,
                         b.Height() / 2.0);
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
    const TRect i{std::max(n.Left, FBox.Left), std::max(n.Top, FBox.Top), std::min(n.Right, FBox.Right),
                  std::min(n.Bottom, FBox.Bottom)};
    if (i.Left >= i.Right || i.Top >= i.Bottom) return false;
    if (FKind == TKind::rkRect) return true;
    for (int32_t y = i.Top; y < i.Bottom; ++y)
        for (int32_t x = i.Left; x < i.Right; ++x)
            if (InShape(x + 0.5, y + 0.5)) return true;
    return false;
}

void TRegion::Offset(int32_t dx, int32_t dy) {
    FBox = {FBox.Left + dx, FBox.Top + dy, FBox.Right + dx, FBox.Bottom + dy};
    for (auto& p : FPoints) p = {p.X + dx, p.Y + dy};
}

std::vector<TRect> TRegion::Scans() const {
    std::vector<TRect> out;
    if (Empty()) return out;
    if (FKind == TKind::rkRect) return {FBox};
    // Row runs; a row whose runs equal the previous row's extends those rects.
    std::vector<TRect> prev, row;
    size_t prevStart = 0;
    for (int32_t y = FBox.Top; y < FBox.Bottom; ++y) {
        row.clear();
        int32_t runStart = 0;
        bool in = false;
        for (int32_t x = FBox.Left; x <= FBox.Right; ++x) {
            const bool inside = x < FBox.Right && InShape(x + 0.5, y + 0.5);
            if (inside && !in) runStart = x;
            if (!inside && in) row.push_back({runStart, y, x, y + 1});
            in = inside;
        }
        const bool same = !prev.empty() && row.size() == prev.size() &&
                          std::equal(row.begin(), row.end(), prev.begin(), [](const TRect& a, const TRect& b) {
                              return a.Left == b.Left && a.Right == b.Right;
                          });
        if (same) {
            for (size_t i = prevStart; i < out.size(); ++i) out[i].Bottom = y + 1;
        } else {
            prevStart = out.size();
            out.insert(out.end(), row.begin(), row.end());
        }
        prev.swap(row);
    }
    return out;
}

} // namespace vl
