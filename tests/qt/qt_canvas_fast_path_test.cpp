// Rectangles drawn straight in copy mode must give the pixels of the path
// route that the other pen modes take: on white, masking black and red
// leaves exactly what copying them paints.
#include <random>

#include "qt_canvas_fixture.h"

using namespace vl;

namespace {

using QtCanvasFastPath = QtCanvasFixture;

TEST_F(QtCanvasFastPath, RectanglesMatchThePathRoute) {
    std::mt19937 rng(5);
    auto rnd = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const TBrushStyle brushes[] = {TBrushStyle::bsSolid, TBrushStyle::bsClear};
    const TPenStyle pens[] = {TPenStyle::psSolid, TPenStyle::psClear};
    for (int i = 0; i < 200; ++i) {
        const TRect r{rnd(-5, 110), rnd(-5, 90), rnd(-5, 125), rnd(-5, 105)};
        const bool zoomed = i % 3 == 0;
        auto draw = [&](TPenMode mode) {
            Reset();
            if (zoomed) {
                Canvas->SetMapMode(TMapMode::mmAnisotropic);
                Canvas->SetWindowExt({10, 10});
                Canvas->SetViewportExt({17, 13});
            }
            Canvas->Pen() = {clBlack, 1, pens[i % 2 == 0 ? 0 : rnd(0, 1)], mode};
            Canvas->Brush() = {clRed, brushes[rnd(0, 1)]};
            Canvas->Rectangle(r);
            return Image.copy();
        };
        rng.seed(static_cast<unsigned>(i));
        const QImage fast = draw(TPenMode::pmCopy);
        rng.seed(static_cast<unsigned>(i));
        const QImage path = draw(TPenMode::pmMask);
        ASSERT_EQ(fast, path) << "rectangle " << i;
    }
}

} // namespace
