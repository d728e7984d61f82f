#pragma once
// A canvas that draws nothing: it keeps the tools, the mapping and the clip
// box, and measures text with a fixed cell (half the font height wide, the
// font height high), so that layout code runs without a device.

#include <cstdint>
#include <vector>

#include "velloran/platform/canvas.h"

namespace vl {

/// A canvas that draws nothing but keeps tools and mapping and measures text, for layout without a device.
class TNullCanvas : public TCanvas {
public:
    /// Device size in pixels and resolution in pixels per inch.
    explicit TNullCanvas(TSize deviceSize = {1024, 768}, int32_t pixelsPerInch = 96);

    void SetDeviceSize(TSize Value) { FDeviceSize = Value; }
    int32_t GetDeviceCaps(TDeviceCap cap) const override;

    void MoveTo(int32_t x, int32_t y) override { FPenPos = {x, y}; }
    void LineTo(int32_t x, int32_t y) override { FPenPos = {x, y}; }
    void Polygon(std::span<const TPoint>) override {}
    void Polyline(std::span<const TPoint>) override {}
    void PolyPolyline(std::span<const TPoint>, std::span<const uint32_t>) override {}
    void Rectangle(const TRect&) override {}
    void RoundRect(const TRect&, int32_t, int32_t) override {}
    void Ellipse(const TRect&) override {}
    void Arc(const TRect&, TPoint, TPoint) override {}
    void Chord(const TRect&, TPoint, TPoint) override {}
    void Pie(const TRect&, TPoint, TPoint) override {}
    void FillRect(const TRect&) override {}
    void TextOut(int32_t, int32_t, const String&) override {}
    TSize TextExtent(const String& text) override;
    void SetPixel(int32_t, int32_t, TColor) override {}
    TColor GetPixel(int32_t, int32_t) const override { return clNone; }

    void FillRgn(const TRegion&, const TBrush&) override {}
    void FrameRgn(const TRegion&, const TBrush&, int32_t, int32_t) override {}
    void SelectClipRgn(const TRegion* rgn) override;
    void IntersectClipRect(const TRect& r) override;
    TRect GetClipBox() const override;
    int32_t SaveDC() override;
    void RestoreDC(int32_t level) override;

    void StretchDraw(const TRect&, const TGraphic&) override {}
    void StretchBitmap(const TRect&, const TBitmap&, const TRect&) override {}
    bool CopyToBitmap(const TRect&, TBitmap&) const override { return false; }

private:
    TRect DeviceRect() const { return {0, 0, FDeviceSize.cx, FDeviceSize.cy}; }

    TSize FDeviceSize;
    int32_t FPixelsPerInch;
    /// Clip box in device pixels; the device when unclipped.
    TRect FClip;
    bool FClipped = false;
    std::vector<std::pair<TRect, bool>> FSavedClips;
};

} // namespace vl
