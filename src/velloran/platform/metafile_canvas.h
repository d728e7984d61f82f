#pragma once
// The headless drawing surface: records every call into a TMetafile as
// enhanced-metafile records, in logical coordinates, with the mapping and the
// tools emitted only when they change. Closing writes header and end record.

#include <cstdint>
#include <vector>

#include "velloran/platform/canvas.h"
#include "velloran/platform/metafile.h"

namespace vl {

/// The device a metafile is recorded for: its resolution and physical size.
struct TReferenceDevice {
    TSize Pixels{1920, 1080};
    TSize Micrometers{508000, 285750}; // a 96-dpi screen
};

/// The headless canvas: records every call into a metafile.
class TMetafileCanvas : public TCanvas {
  public:
    /// When mf already has a size (SetWidth/SetHeight), that size becomes the
    /// picture's bounds; otherwise the bounds are those of what was drawn.
    explicit TMetafileCanvas(TMetafile& mf, const TReferenceDevice& ref = {});
    ~TMetafileCanvas() override;
    TMetafileCanvas(const TMetafileCanvas&) = delete;
    TMetafileCanvas& operator=(const TMetafileCanvas&) = delete;

    /// Writes the complete metafile; later drawing is ignored.
    void Close();
    const TReferenceDevice& ReferenceDevice() const { return FRef; }

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
    /// Headless metrics (text_metrics.h) of the current font.
    TSize TextExtent(const String& text) override;
    void SetPixel(int32_t x, int32_t y, TColor c) override;
    TColor GetPixel(int32_t x, int32_t y) const override;
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
    /// What the recorded records have put into effect so far.
    struct TRealised {
        TMapping Mapping;
        uint32_t Pen = 0, Brush = 0, Font = 0; // object handles, 0 = none yet
        TPen PenValue;
        TBrush BrushValue;
        TFont FontValue;
        TColor TextColor = clBlack;
        uint32_t Rop2 = 13;
        TPolyFillMode FillMode = TPolyFillMode::ALTERNATE;
        bool Clipped = false;
        TRect Clip; // device pixels
    };

    size_t Begin(uint32_t type);
    void End(size_t at);
    void Put(int32_t v);
    void PutRect(const TRect& r);
    void PutPoints(std::span<const TPoint> pts);
    void PutRegion(const std::vector<TRect>& rects);
    void Emit(uint32_t type, std::initializer_list<int32_t> values);

    void RealiseMapping();
    void RealisePen();
    void RealiseBrush();
    void RealiseFont();
    uint32_t NewHandle();
    void CreateBrushObject(uint32_t handle, const TBrush& b);
    void ReleaseUnused(std::initializer_list<uint32_t> handles);
    bool Referenced(uint32_t handle) const;

    void AddBounds(std::span<const TPoint> logical, bool pen);
    void AddBoxBounds(const TRect& logical, bool pen);
    void AddDeviceBounds(TRect device);
    void PolyRecord(uint32_t type, std::span<const TPoint> pts);
    void BoxRecord(uint32_t type, const TRect& r);
    void ArcRecord(uint32_t type, const TRect& r, TPoint start, TPoint end);
    void DibRecord(const TRect& dest, const TBitmap& src, const TRect& srcRect,
                   const std::vector<bool>* mask);
    void RegionRecord(uint32_t type, const TRegion& rgn, const TBrush& brush, int32_t w, int32_t h);
    TRect Surface() const;

    TMetafile& FMetafile;
    TReferenceDevice FRef;
    bool FFixedSize = false;
    TRect FFixedBounds;
    bool FClosed = false;
    std::vector<uint8_t> FBody;
    uint32_t FRecords = 0;
    TRect FBounds{0, 0, -1, -1};
    bool FHaveBounds = false;
    TRealised FRealised;
    std::vector<TRealised> FRealisedStack;
    std::vector<bool> FLive; // object handles in use, slot 0 unused
};

} // namespace vl
