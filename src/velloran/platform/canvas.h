#pragma once
// The drawing surface every object, tool and view draws on. Backends: the
// metafile canvas (headless, records), the Qt canvas (pixels, printer, SVG).
//
// Coordinates passed to figures are logical; the mapping turns them into
// device pixels. Regions given to SelectClipRgn are in device pixels, as on
// a classic device context. Text is written with a transparent background,
// its reference point at the top left of the first character cell (turned
// with the font's escapement).

#include <cstdint>
#include <span>
#include <vector>

#include "velloran/foundations/types.h"
#include "velloran/platform/drawing_tools.h"
#include "velloran/platform/mapping.h"
#include "velloran/platform/region.h"

namespace vl {

class TGraphic;
class TBitmap;

/// Device capability indices (values as a device interface numbers them).
enum class TDeviceCap : int32_t {
    HORZSIZE = 4,   // width in millimetres
    VERTSIZE = 6,   // height in millimetres
    HORZRES = 8,    // width in pixels
    VERTRES = 10,   // height in pixels
    LOGPIXELSX = 88,
    LOGPIXELSY = 90,
};

/// The drawing surface every object, tool and view draws on, in logical coordinates.
class TCanvas {
public:
    virtual ~TCanvas() = default;

    // ---- Drawing tools: the current values, used by the next figure --------
    TPen& Pen() { return FPen; }
    TBrush& Brush() { return FBrush; }
    TFont& Font() { return FFont; }
    const TPen& Pen() const { return FPen; }
    const TBrush& Brush() const { return FBrush; }
    const TFont& Font() const { return FFont; }
    void SetPen(const TPen& p) { FPen = p; }
    void SetBrush(const TBrush& b) { FBrush = b; }
    void SetFont(const TFont& f) { FFont = f; }
    TPolyFillMode PolyFillMode() const { return FPolyFillMode; }
    virtual void SetPolyFillMode(TPolyFillMode m) { FPolyFillMode = m; }

    // ---- Mapping -----------------------------------------------------------
    const TMapping& Mapping() const { return FMapping; }
    virtual void SetMapMode(TMapMode m) { FMapping.Mode = m; }
    virtual void SetWindowOrg(TPoint p) { FMapping.WindowOrg = p; }
    /// Zero extents are refused (the call does nothing), as on a device context.
    virtual void SetWindowExt(TSize s) { if (s.cx && s.cy) FMapping.WindowExt = s; }
    virtual void SetViewportOrg(TPoint p) { FMapping.ViewportOrg = p; }
    virtual void SetViewportExt(TSize s) { if (s.cx && s.cy) FMapping.ViewportExt = s; }
    TPoint LPtoDP(TPoint p) const { return FMapping.LPtoDP(p); }
    TPoint DPtoLP(TPoint p) const { return FMapping.DPtoLP(p); }
    void LPtoDP(std::span<TPoint> pts) const { FMapping.LPtoDP(pts); }
    void DPtoLP(std::span<TPoint> pts) const { FMapping.DPtoLP(pts); }
    virtual int32_t GetDeviceCaps(TDeviceCap cap) const = 0;

    // ---- Figures (logical coordinates) ------------------------------------
    virtual void MoveTo(int32_t x, int32_t y) = 0;
    virtual void LineTo(int32_t x, int32_t y) = 0;
    TPoint PenPos() const { return FPenPos; }
    virtual void Polygon(std::span<const TPoint> pts) = 0;
    virtual void Polyline(std::span<const TPoint> pts) = 0;
    /// counts[i] points per polyline, taken from pts in order.
    virtual void PolyPolyline(std::span<const TPoint> pts, std::span<const uint32_t> counts) = 0;
    virtual void Rectangle(const TRect& r) = 0;
    virtual void RoundRect(const TRect& r, int32_t cornerW, int32_t cornerH) = 0;
    virtual void Ellipse(const TRect& r) = 0;
    /// Counter-clockwise on the device from the ray through start to the ray through end.
    virtual void Arc(const TRect& r, TPoint start, TPoint end) = 0;
    virtual void Chord(const TRect& r, TPoint start, TPoint end) = 0;
    virtual void Pie(const TRect& r, TPoint start, TPoint end) = 0;
    /// Fills with the brush, no outline.
    virtual void FillRect(const TRect& r) = 0;
    virtual void TextOut(int32_t x, int32_t y, const String& text) = 0;
    /// Extent of the text in the current font, in logical units.
    virtual TSize TextExtent(const String& text) = 0;
    virtual void SetPixel(int32_t x, int32_t y, TColor c) = 0;
    /// clNone where the surface holds no pixels.
    virtual TColor GetPixel(int32_t x, int32_t y) const = 0;

    // ---- Regions and clipping ---------------------------------------------
    /// Regions in device pixels.
    virtual void FillRgn(const TRegion& rgn, const TBrush& brush) = 0;
    virtual void FrameRgn(const TRegion& rgn, const TBrush& brush, int32_t w, int32_t h) = 0;
    /// nullptr clears the clip area.
    virtual void SelectClipRgn(const TRegion* rgn) = 0;
    /// Rectangle in logical coordinates.
    virtual void IntersectClipRect(const TRect& r) = 0;
    /// Logical box around the visible clip area (the whole surface when unclipped).
    virtual TRect GetClipBox() const = 0;
    /// Saves the whole surface state (tools, mapping, clip); returns its level.
    virtual int32_t SaveDC();
    /// Restores a saved level; negative values count back from the newest.
    virtual void RestoreDC(int32_t level);

    // ---- Pictures ---------------------------------------------------------
    /// Draws a bitmap, icon, JPEG image or metafile stretched into r (logical).
    virtual void StretchDraw(const TRect& r, const TGraphic& graphic) = 0;
    void Draw(int32_t x, int32_t y, const TGraphic& graphic);
    /// Copies a block of a bitmap stretched into dest (logical).
    virtual void StretchBitmap(const TRect& dest, const TBitmap& src, const TRect& srcRect) = 0;
    /// Copies device pixels into out; false when the surface holds no pixels.
    virtual bool CopyToBitmap(const TRect& deviceRect, TBitmap& out) const = 0;

protected:
    /// Saved state for SaveDC/RestoreDC; backends extend it through their own stacks.
    struct TState {
        TPen Pen;
        TBrush Brush;
        TFont Font;
        TMapping Mapping;
        TPolyFillMode PolyFillMode;
        TPoint PenPos;
    };
    /// Hook for backends: called after the base state was restored.
    virtual void StateRestored() {}

    TPen FPen;
    TBrush FBrush;
    TFont FFont;
    TMapping FMapping;
    TPolyFillMode FPolyFillMode = TPolyFillMode::ALTERNATE;
    TPoint FPenPos;
    std::vector<TState> FSaved;
};

} // namespace vl
