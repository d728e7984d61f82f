#pragma once
// The context a metafile is enumerated in. It keeps the metafile's own state
// (mapping, tools, object table) as the records set it, so that DPtoLP and
// LPtoDP convert in the metafile's space; its figures take metafile-logical
// coordinates and draw on the destination canvas, the metafile's bounds
// scaled onto the destination rectangle.

#include <cstdint>
#include <vector>

#include "velloran/platform/canvas.h"
#include "velloran/platform/emf_header.h"
#include "velloran/platform/metafile.h"

namespace vl {

/// The context a metafile is played in, drawing its records on a destination canvas.
class TMetafilePlayer : public TCanvas {
  public:
    /// rect: where the metafile's bounds land, in dest's logical coordinates.
    /// The destination's state is saved here and restored by the destructor.
    TMetafilePlayer(TCanvas& dest, const TMetafile& mf, const TRect& rect);
    ~TMetafilePlayer() override;
    TMetafilePlayer(const TMetafilePlayer&) = delete;
    TMetafilePlayer& operator=(const TMetafilePlayer&) = delete;

    TCanvas& Destination() const { return FDest; }
    /// Plays one record (the metafile's own or a changed copy); unknown and
    /// malformed records are skipped.
    void PlayRecord(const TEmfRecord& record);

    /// Metafile-logical to destination-logical.
    TPoint ToDest(TPoint p) const;
    TRect ToDestRect(const TRect& r) const;

    int32_t GetDeviceCaps(TDeviceCap cap) const override;
    void MoveTo(int32_t x, int32_t y) override;
    void LineTo(int32_t x, int32_t y) override;
    void Polygon(std::span<const TPoint> pts) override;
    void Polyline(std::span<const TPoint> pts) override;
    void PolyPolyline(std::span<const TPoint> pts, std::span<const uint32_t> counts) override;
    void Rectangle(const TRect& r) override;
    void RoundRect(const TRect& r, int32_t cornerW, int32_t cornerH) override;
    void Ellipse(const TRect& r) override;
    void Arc(const TRect& r, TPoint start, TPoint end) override;
    void Chord(const TRect& r, TPoint start, TPoint end) override;
    void Pie(const TRect& r, TPoint start, TPoint end) override;
    void FillRect(const TRect& r) override;
    void TextOut(int32_t x, int32_t y, const String& text) override;
    TSize TextExtent(const String& text) override;
    void SetPixel(int32_t x, int32_t y, TColor c) override;
    TColor GetPixel(int32_t x, int32_t y) const override;
    /// Regions in the metafile's device pixels.
    void FillRgn(const TRegion& rgn, const TBrush& brush) override;
    void FrameRgn(const TRegion& rgn, const TBrush& brush, int32_t w, int32_t h) override;
    void SelectClipRgn(const TRegion* rgn) override;
    void IntersectClipRect(const TRect& r) override;
    TRect GetClipBox() const override;
    int32_t SaveDC() override;
    void RestoreDC(int32_t level) override;
    void StretchDraw(const TRect& r, const TGraphic& graphic) override;
    void StretchBitmap(const TRect& dest, const TBitmap& src, const TRect& srcRect) override;
    bool CopyToBitmap(const TRect& deviceRect, TBitmap& out) const override;

  private:
    /// One slot of the metafile's object table.
    struct TTableEntry {
        enum class TKind : uint8_t { okNone, okPen, okBrush, okFont } Kind = TKind::okNone;
        TPen Pen;
        TBrush Brush;
        TLogFont Font;
    };

    /// Metafile device pixels (real) to destination logical and back.
    TPoint DeviceToDest(double x, double y) const;
    void DestToDevice(TPoint p, double& x, double& y) const;
    void LogicalToDevice(TPoint p, double& x, double& y) const;
    double ToolScaleX() const;
    double ToolScaleY() const;
    void ApplyPen();
    void ApplyFill();
    void ApplyFont();
    const std::vector<TPoint>& Transformed(std::span<const TPoint> pts);
    TRegion DeviceRegionToDest(const std::vector<TRect>& rects) const;
    bool ArcFlipped() const;
    void ResetClip();
    void SelectObject(uint32_t index);
    void PlayRegionRecord(const TEmfRecord& rec);
    void PlayBitmapRecord(const TEmfRecord& rec);
    void PlayBezier(std::span<const TPoint> pts, bool fromPenPos);

    TCanvas& FDest;
    TEmfHeader FHeader;
    int32_t FDestLevel = 0;
    TRect FDestArea; // device pixels a region may cover (see DeviceRegionToDest)
    double FOriginX = 0, FOriginY = 0; // bounds' top left (metafile device)
    double FScaleX = 1, FScaleY = 1;   // metafile device -> destination logical
    TRect FRect;
    std::vector<TTableEntry> FObjects;
    uint32_t FTextAlign = 0;
    TColor FBkColor = clWhite;
    uint32_t FBkMode = 2;
    std::vector<TPoint> FBuffer;
};

} // namespace vl
