// Not-xor marks: drawing a figure twice restores every pixel, and one pass
// covers the same pixels as copy mode (no pixel is combined twice).

#include "qt_canvas_fixture.h"

#include <QPainter>

using namespace vl;

namespace {
struct Figure {
    const char* Name;
    std::function<void(TCanvas&)> Draw;
};

const TPoint Zigzag[] = {{5, 5}, {60, 40}, {10, 60}, {70, 8}, {70, 8}, {30, 90}};
const TPoint Star[] = {{60, 5}, {75, 90}, {10, 30}, {110, 30}, {45, 90}};

std::vector<Figure> Figures() {
    return {
        {"polyline", [](TCanvas& c) { c.Polyline(Zigzag); }},
        {"line chain", [](TCanvas& c) { c.MoveTo(5, 5); c.LineTo(90, 5); c.LineTo(90, 80); c.LineTo(20, 70); }},
        {"wide polyline", [](TCanvas& c) { c.Pen().Width = 4; c.Polyline(Zigzag); }},
        {"dashed polyline", [](TCanvas& c) { c.Pen().Style = TPenStyle::psDash; c.Polyline(Zigzag); }},
        {"rectangle", [](TCanvas& c) { c.Rectangle({10, 10, 80, 60}); }},
        {"clear rectangle", [](TCanvas& c) { c.Brush().Style = TBrushStyle::bsClear; c.Rectangle({10, 10, 80, 60}); }},
        {"ellipse", [](TCanvas& c) { c.Ellipse({7, 9, 97, 71}); }},
        {"star winding", [](TCanvas& c) { c.SetPolyFillMode(TPolyFillMode::WINDING); c.Polygon(Star); }},
        {"star alternate hatched", [](TCanvas& c) { c.Brush().Style = TBrushStyle::bsDiagCross; c.Polygon(Star); }},
        {"round rect", [](TCanvas& c) { c.RoundRect({5, 5, 100, 80}, 30, 20); }},
        {"pie", [](TCanvas& c) { c.Pie({10, 10, 90, 90}, {90, 50}, {50, 10}); }},
        {"chord", [](TCanvas& c) { c.Chord({10, 10, 90, 90}, {10, 20}, {90, 20}); }},
        {"arc", [](TCanvas& c) { c.Arc({10, 10, 90, 70}, {90, 40}, {10, 40}); }},
    };
}

// A background where every pixel differs from its neighbours.
void Noise(QImage& img) {
    uint32_t v = 12345;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            v = v * 1103515245u + 12345u;
            img.setPixel(x, y, 0xFF000000u | (v >> 8));
        }
}
} // namespace

class QtCanvasPenMode : public QtCanvasFixture {
protected:
    void Prepare(TPenMode mode) {
        Canvas->Pen() = TPen{clBlack, 1, TPenStyle::psSolid, mode};
        Canvas->Brush() = TBrush{clBlack, TBrushStyle::bsSolid};
    }
};

TEST_F(QtCanvasPenMode, DrawingTwiceRestoresEveryPixel) {
    for (const Figure& f : Figures()) {
        SCOPED_TRACE(f.Name);
        Reset(120, 100);
        Noise(Image);
        const QImage before = Image.copy();
        for (int pass = 0; pass < 2; ++pass) {
            Prepare(TPenMode::pmNotXor);
            Canvas->Pen().Color = clRed;
            Canvas->Brush().Color = clTeal;
            f.Draw(*Canvas);
            if (pass == 0) {
                EXPECT_NE(Image, before) << "the first pass must show";
            }
        }
        EXPECT_EQ(Image, before);
    }
}

TEST_F(QtCanvasPenMode, OnePassCoversWhatCopyModeCovers) {
    for (const Figure& f : Figures()) {
        SCOPED_TRACE(f.Name);
        Reset(120, 100);
        Prepare(TPenMode::pmCopy);
        f.Draw(*Canvas);
        const QImage copied = Image.copy();
        // Black on white through not-xor is black: a pixel combined twice would stay white.
        Reset(120, 100);
        Prepare(TPenMode::pmNotXor);
        f.Draw(*Canvas);
        EXPECT_EQ(Image, copied);
    }
}

TEST_F(QtCanvasPenMode, OutlineAndFillEachCombineWithTheirOwnColour) {
    Prepare(TPenMode::pmNotXor);
    Canvas->Pen().Color = clRed;      // ~(red ^ white) = red
    Canvas->Brush().Color = clYellow; // ~(yellow ^ white) = yellow
    Canvas->Rectangle({10, 10, 30, 30});
    EXPECT_EQ(At(10, 10), 0xFFFF0000u);
    EXPECT_EQ(At(29, 20), 0xFFFF0000u);
    EXPECT_EQ(At(20, 20), 0xFFFFFF00u);
    EXPECT_EQ(At(30, 20), 0xFFFFFFFFu);
}

TEST_F(QtCanvasPenMode, OtherModesCombineBitwise) {
    Image.fill(0xFF336699);
    Canvas->Brush().Style = TBrushStyle::bsClear;
    const struct { TPenMode Mode; QRgb Want; } cases[] = {
        {TPenMode::pmXor, 0xFF336699u ^ 0x00FF0000u},
        {TPenMode::pmNot, 0xFFCC9966u},
        {TPenMode::pmMask, 0xFF330000u},
        {TPenMode::pmMerge, 0xFFFF6699u},
        {TPenMode::pmWhite, 0xFFFFFFFFu},
        {TPenMode::pmNop, 0xFF336699u},
    };
    int y = 2;
    for (const auto& c : cases) {
        Canvas->Pen() = TPen{clRed, 1, TPenStyle::psSolid, c.Mode};
        Canvas->MoveTo(2, y);
        Canvas->LineTo(50, y);
        EXPECT_EQ(At(10, y), c.Want) << static_cast<int>(c.Mode);
        y += 2;
    }
}
