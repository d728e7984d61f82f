#pragma once
// A region as a value: a rectangle, an ellipse, a rounded rectangle or a
// polygon (alternate or winding fill), in whatever coordinates the caller uses.
// Pixel rule: the unit square at (x, y) belongs to the region when its centre
// (x + 0.5, y + 0.5) lies inside the shape; rectangles therefore hold
// Left <= x < Right and Top <= y < Bottom.

#include <cstdint>
#include <span>
#include <vector>

#include "velloran/foundations/types.h"

namespace vl {

/// How a polygon's inside is decided.
enum class TPolyFillMode : uint8_t { ALTERNATE = 1, WINDING = 2 };

/// A region as a value: rectangle, ellipse, rounded rectangle or polygon.
class TRegion {
public:
    /// The shape a region holds.
    enum class TKind : uint8_t { rkEmpty, rkRect, rkEllipse, rkRoundRect, rkPolygon };

    TRegion() = default;
    static TRegion CreateRect(const TRect& r);
    static TRegion CreateEllipse(const TRect& r);
    static TRegion CreateRoundRect(const TRect& r, int32_t cornerW, int32_t cornerH);
    static TRegion CreatePolygon(std::span<const TPoint> pts, TPolyFillMode mode);

    TKind Kind() const { return FKind; }
    bool Empty() const;
    /// Normalised box of the shape (for polygons the limits of the points).
    const TRect& Box() const { return FBox; }
    int32_t CornerWidth() const { return FCornerW; }
    int32_t CornerHeight() const { return FCornerH; }
    const std::vector<TPoint>& Points() const { return FPoints; }
    TPolyFillMode FillMode() const { return FFillMode; }

    bool PtInRegion(TPoint p) const;
    /// True when any pixel of the rectangle belongs to the region.
    bool RectInRegion(const TRect& r) const;
    void Offset(int32_t dx, int32_t dy);
    /// Disjoint rectangles, row by row, covering exactly the region's pixels
    /// (the form a metafile or a raster backend needs).
    std::vector<TRect> Scans() const;

private:
    bool InShape(double x, double y) const;

    TKind FKind = TKind::rkEmpty;
    TRect FBox;
    int32_t FCornerW = 0;
    int32_t FCornerH = 0;
    TPolyFillMode FFillMode = TPolyFillMode::ALTERNATE;
    std::vector<TPoint> FPoints;
};

} // namespace vl
