#pragma once
// A canvas for tests that logs the figures rotated drawing produces, each with
// the font in force at the time; figures it never draws fall to the fake.

#include <numbers>
#include <string>
#include <vector>

#include "velloran/foundations/point_list.h"
#include "view/fake_canvas.h"

namespace vl::test {

constexpr double pi = std::numbers::pi;
using Pts = std::vector<TPoint>;

struct TFigure {
    std::string Kind;
    Pts Points; // the box's corners for box figures
    TFont Font;
};

class TFigureLogCanvas : public vltest::TFakeCanvas {
public:
    std::vector<TFigure> Log;

    void MoveTo(int32_t x, int32_t y) override { Add("MoveTo", {{x, y}}); }
    void LineTo(int32_t x, int32_t y) override { Add("LineTo", {{x, y}}); }
    void Polygon(std::span<const TPoint> pts) override { Add("Polygon", {pts.begin(), pts.end()}); }
    void Polyline(std::span<const TPoint> pts) override {
        Add("Polyline", {pts.begin(), pts.end()});
    }
    void PolyPolyline(std::span<const TPoint> pts, std::span<const uint32_t>) override {
        Add("PolyPolyline", {pts.begin(), pts.end()});
    }
    void Ellipse(const TRect& r) override { Add("Ellipse", {r.TopLeft(), r.BottomRight()}); }
    void TextOut(int32_t x, int32_t y, const String&) override { Add("TextOut", {{x, y}}); }

private:
    void Add(const char* kind, Pts pts) { Log.push_back({kind, std::move(pts), FFont}); }
};

inline Pts Points(const TPointList& list) {
    Pts pts;
    for (int32_t i = 0; i < list.Count(); ++i) pts.push_back(list.GetPoints(i));
    return pts;
}

} // namespace vl::test
