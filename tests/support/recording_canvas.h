#pragma once
// A canvas for tests that records line segments and text measurements and
// draws nothing. Text width is whatever MeasureText says.

#include <functional>
#include <vector>

#include "velloran/platform/canvas.h"

namespace vl::test {

struct TSegment {
    TPoint From;
    TPoint To;
    friend bool operator==(const TSegment&, const TSegment&) = default;
};

class TRecordingCanvas : public TCanvas {
public:
    std::vector<TSegment> Lines;
    std::vector<TFont> MeasuredFonts;
    std::function<int32_t(const TFont&, const String&)> MeasureText = [](const TFont& f, const String& s) {
        return static_cast<int32_t>(s.size()) * (f.Height < 0 ? -f.Height : f.Height) / 2;
    };

    int32_t GetDeviceCaps(TDeviceCap) const override { return 96; }
    void MoveTo(int32_t x, int32_t y) override { FPenPos = {x, y}; }
    void LineTo(int32_t x, int32_t y) override {
        Lines.push_back({FPenPos, {x, y}});
        FPenPos = {x, y};
    }
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
    TSize TextExtent(const String& text) override {
        MeasuredFonts.push_back(FFont);
        return {MeasureText(FFont, text), FFont.Height < 0 ? -FFont.Height : FFont.Height};
    }
    void SetPixel(int32_t, int32_t, TColor) override {}
    TColor GetPixel(int32_t, int32_t) const override { return clNone; }
    void FillRgn(const TRegion&, const TBrush&) override {}
    void FrameRgn(const TRegion&, const TBrush&, int32_t, int32_t) override {}
    void SelectClipRgn(const TRegion*) override {}
    void IntersectClipRect(const TRect&) override {}
    TRect GetClipBox() const override { return {}; }
    void StretchDraw(const TRect&, const TGraphic&) override {}
    void StretchBitmap(const TRect&, const TBitmap&, const TRect&) override {}
    bool CopyToBitmap(const TRect&, TBitmap&) const override { return false; }
};

} // namespace vl::test
