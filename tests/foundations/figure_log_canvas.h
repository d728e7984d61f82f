#pragma once
// A canvas for tests that logs the figures drawn on it, each with the font in
// force at the time.

#include <string>
#include <vector>

#include "velloran/platform/canvas.h"

namespace vl::test {

struct TFigure {
    std::string Kind;
    std::vector<TPoint> Points; // the box's corners for box figures
    TFont Font;
};

class TFigureLogCanvas : public TCanvas {
public:
    std::vector<TFigure> Log;

    int32_t GetDeviceCaps(TDeviceCap) const override { return 96; }
    void MoveTo(int32_t x, int32_t y) override { Add("MoveTo", {{x, y}}); }
    void LineTo(int32_t x, int32_t y) override { Add("LineTo", {{x, y}}); }
    void Polygon(std::span<const TPoint> pts) override { Add("Polygon", {pts.begin(), pts.end()}); }
    void Polyline(std::span<const TPoint> pts) override {
        Add("Polyline", {pts.begin(), pts.end()});
    }
    void PolyPolyline(std::span<const TPoint> pts, std::span<const uint32_t>) override {
        Add("PolyPolyline", {pts.begin(), pts.end()});
    }
    void Rectangle(const TRect& r) override { AddBox("Rectangle", r); }
    void RoundRect(const TRect& r, int32_t, int32_t) override { AddBox("RoundRect", r); }
    void Ellipse(const TRect& r) override { AddBox("Ellipse", r); }
    void Arc(const TRect& r, TPoint, TPoint) override { AddBox("Arc", r); }
    void Chord(const TRect& r, TPoint, TPoint) override { AddBox("Chord", r); }
    void Pie(const TRect& r, TPoint, TPoint) override { AddBox("Pie", r); }
    void FillRect(const TRect& r) override { AddBox("FillRect", r); }
    void TextOut(int32_t x, int32_t y, const String&) override { Add("TextOut", {{x, y}}); }
    TSize TextExtent(const String& text) override { return {int32_t(text.size()) * 6, 12}; }
    void SetPixel(int32_t, int32_t, TColor) override {}
    TColor GetPixel(int32_t, int32_t) const override { return clNone; }
    void FillRgn(const TRegion&, const TBrush&) override {}
    void FrameRgn(const TRegion&, const TBrush&, int32_t, int32_t) override {}
    void SelectClipRgn(const TRegion*) override {}
    void IntersectClipRect(const TRect&) override {}
    TRect GetClipBox() const override { return {0, 0, 1000, 1000}; }
    void StretchDraw(const TRect& r, const TGraphic&) override { AddBox("StretchDraw", r); }
    void StretchBitmap(const TRect& r, const TBitmap&, const TRect&) override {
        AddBox("StretchBitmap", r);
    }
    bool CopyToBitmap(const TRect&, TBitmap&) const override { return false; }

private:
    void Add(const char* kind, std::vector<TPoint> pts) {
        Log.push_back({kind, std::move(pts), FFont});
    }
    void AddBox(const char* kind, const TRect& r) { Add(kind, {r.TopLeft(), r.BottomRight()}); }
};

} // namespace vl::test
