#pragma once
// A canvas that draws nothing and reports a fixed device size, for tests of
// mapping arithmetic.

#include <velloran/platform/canvas.h>

namespace vltest {

class TFakeCanvas : public vl::TCanvas {
public:
    int32_t HorzRes = 1920; // pixels
    int32_t HorzSize = 512; // millimetres: 3750 pixels per metre

    int32_t GetDeviceCaps(vl::TDeviceCap cap) const override {
        switch (cap) {
        case vl::TDeviceCap::HORZRES: case vl::TDeviceCap::VERTRES: return HorzRes;
        case vl::TDeviceCap::HORZSIZE: case vl::TDeviceCap::VERTSIZE: return HorzSize;
        default: return 96;
        }
    }
    void MoveTo(int32_t, int32_t) override {}
    void LineTo(int32_t, int32_t) override {}
    void Polygon(std::span<const vl::TPoint>) override {}
    void Polyline(std::span<const vl::TPoint>) override {}
    void PolyPolyline(std::span<const vl::TPoint>, std::span<const uint32_t>) override {}
    void Rectangle(const vl::TRect&) override {}
    void RoundRect(const vl::TRect&, int32_t, int32_t) override {}
    void Ellipse(const vl::TRect&) override {}
    void Arc(const vl::TRect&, vl::TPoint, vl::TPoint) override {}
    void Chord(const vl::TRect&, vl::TPoint, vl::TPoint) override {}
    void Pie(const vl::TRect&, vl::TPoint, vl::TPoint) override {}
    void FillRect(const vl::TRect&) override {}
    void TextOut(int32_t, int32_t, const vl::String&) override {}
    vl::TSize TextExtent(const vl::String&) override { return {}; }
    void SetPixel(int32_t, int32_t, vl::TColor) override {}
    vl::TColor GetPixel(int32_t, int32_t) const override { return vl::TColor{}; }
    void FillRgn(const vl::TRegion&, const vl::TBrush&) override {}
    void FrameRgn(const vl::TRegion&, const vl::TBrush&, int32_t, int32_t) override {}
    void SelectClipRgn(const vl::TRegion*) override {}
    void IntersectClipRect(const vl::TRect&) override {}
    vl::TRect GetClipBox() const override { return {}; }
    void StretchDraw(const vl::TRect&, const vl::TGraphic&) override {}
    void StretchBitmap(const vl::TRect&, const vl::TBitmap&, const vl::TRect&) override {}
    bool CopyToBitmap(const vl::TRect&, vl::TBitmap&) const override { return false; }
};

} // namespace vltest
