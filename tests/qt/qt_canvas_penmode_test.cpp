// Not-xor marks: drawing a figure twice restores every pixel, and one pass
// covers the same pixels as copy mode (no pixel is combined twice).

#include "qt_canvas_fixture.h"

#include <functional>

using namespace vl;

namespace {
const TPoint Zigzag[] = {{5, 5}, {60, 40}, {10, 60}, {70, 8}, {70, 8}, {30, 90}};
const TPoint Star[] = {{60, 5}, {75, 90}, {10, 30}, {110, 30}, {45, 90}};

const std::pair<const char*, std::function<void(TCanvas&)>> Figures[] = {
    {"polyline", [](TCanvas& c) { c.Polyline(Zigzag); }},
    {"line chain", [](TCanvas& c) { c.MoveTo(5, 5); c.LineTo(90, 5); c.LineTo(90, 80); c.LineTo(20, 70); }},
    {"wide polyline", [](TCanvas& c) { c.Pen().Width = 4; c.Polyline(Zigzag); }},
    {"dashed polyline", [](TCanvas& c) { c.Pen().Style = TPenStyle::psDash; c.Polyline(Zigzag); }},
    {"rectangle", [](TCanvas& c) { c.Rectangle({10, 10, 80, 60}); }},
    {"clear rectangle", [](TCanvas& c) { c.Brush().Style = TBrushStyle::bsClear; c.Rectangle({10, 10, 80, 60}); }},
    {"ellipse", [](TCanvas& c) { c.Ellipse({7, 9, 97, 71}); }},
    {"winding star", [](TCanvas& c) { c.SetPolyFillMode(TPolyFillMode::WINDING); c.Polygon(Star); }},
    {"hatched star", [](TCanvas& c) { c.Brush().Style = TBrushStyle::bsDiagCross; c.Polygon(Star); }},
    {"round rect", [](TCanvas& c) { c.RoundRect({5, 5, 100, 80}, 30, 20); }},
    {"pie", [](TCanvas& c) { c.Pie({10, 10, 90, 90}, {90, 50}, {50, 10}); }},
    {"chord", [](TCanvas& c) { c.Chord({10, 10, 90, 90}, {10, 20}, {90, 20}); }},
    {"arc", [](TCanvas& c) { c.Arc({10, 10, 90, 70}, {90, 40}, {10, 40}); }},
};
} // namespace

class QtCanvasPenMode : public QtCanvasFixture {
protected:
    void Draw(const std::function<void(TCanvas&)>& draw, TPenMode mode, TColor pen, TColor brush) {
        Canvas->Pen() = TPen{pen, 1, TPenStyle::psSolid, mode};
        Canvas->Brush() = TBrush{brush, TBrushStyle::bsSolid};
        draw(*Canvas);
    }
};

TEST_F(QtCanvasPenMode, DrawingTwiceRestoresAndOnePassCoversWhatCopyCovers) {
    for (const auto& [name, draw] : Figures) {
        SCOPED_TRACE(name);
        for (bool smooth : {false, true}) {
            Reset();
            Canvas->SetAntialiasing(smooth); // never for raster operations
            uint32_t v = 12345; // noise: every pixel differs from its neighbours
            for (int y = 0; y < 100; ++y)
                for (int x = 0; x < 120; ++x) Image.setPixel(x, y, 0xFF000000u | ((v = v * 1103515245u + 12345u) >> 8));
            const QImage before = Image.copy();
            Draw(draw, TPenMode::pmNotXor, clRed, clTeal);
            EXPECT_NE(Image, before);
            Draw(draw, TPenMode::pmNotXor, clRed, clTeal);
            EXPECT_EQ(Image, before) << (smooth ? "antialiased" : "");
        }
        Reset();
        Draw(draw, TPenMode::pmCopy, clBlack, clBlack);
        const QImage copied = Image.copy();
        // Black through not-xor on white is black; a pixel combined twice would stay white.
        Reset();
        Draw(draw, TPenMode::pmNotXor, clBlack, clBlack);
        EXPECT_EQ(Image, copied);
    }
    // Outline and fill each combine with their own colour.
    Reset();
    Draw([](TCanvas& c) { c.Rectangle({10, 10, 30, 30}); }, TPenMode::pmNotXor, clRed, clYellow);
    EXPECT_EQ(At(29, 20), 0xFFFF0000u);
    EXPECT_EQ(At(20, 20), 0xFFFFFF00u);
}
