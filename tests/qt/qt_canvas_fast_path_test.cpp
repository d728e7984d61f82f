// Figures drawn straight in copy mode must give the pixels of the path route
// that the other pen modes take: on white, masking black and red leaves
// exactly what copying them paints. The Qt pen and brush kept between
// figures must never outlive a change of the canvas's tools or mapping.
#include <functional>
#include <optional>
#include <random>
#include <span>
#include <vector>

#include <QPicture>

#include "qt_canvas_fixture.h"

using namespace vl;

namespace {

struct TTools {
    TPen Pen;
    TBrush Brush;
    bool Zoomed = false;
};

using TFigure = std::function<void(TCanvas&)>;

// Every fifth figure clipped, to a box or to an ellipse of many boxes.
template <class TRnd>
std::optional<TRegion> RandomClip(int i, TRnd& rnd) {
    if (i % 5) return std::nullopt;
    const TRect r{rnd(0, 60), rnd(0, 50), rnd(40, 120), rnd(30, 100)};
    return i % 10 ? TRegion::CreateRect(r) : TRegion::CreateEllipse(r);
}

class QtCanvasFastPath : public QtCanvasFixture {
protected:
    void Use(TCanvas& c, const TTools& t, const std::optional<TRegion>& clip = std::nullopt) {
        if (t.Zoomed) {
            c.SetMapMode(TMapMode::mmAnisotropic);
            c.SetWindowExt({10, 10});
            c.SetViewportExt({17, 13});
        } else {
            c.SetMapMode(TMapMode::mmText);
        }
        if (clip) c.SelectClipRgn(&*clip);
        c.Pen() = t.Pen;
        c.Brush() = t.Brush;
    }
    // The figure copied, and masked (which always takes the path route).
    std::pair<QImage, QImage> BothRoutes(TTools t, const std::optional<TRegion>& clip, const TFigure& figure) {
        QImage out[2];
        for (const TPenMode mode : {TPenMode::pmCopy, TPenMode::pmMask}) {
            Reset();
            t.Pen.Mode = mode;
            Use(*Canvas, t, clip);
            figure(*Canvas);
            out[mode == TPenMode::pmMask] = Image.copy();
        }
        return {out[0], out[1]};
    }
};

TEST_F(QtCanvasFastPath, RectanglesMatchThePathRoute) {
    std::mt19937 rng(5);
    auto rnd = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const TPenStyle pens[] = {TPenStyle::psSolid, TPenStyle::psClear, TPenStyle::psInsideFrame, TPenStyle::psDash,
                              TPenStyle::psAlternate};
    for (int i = 0; i < 400; ++i) {
        // Partly outside the image too: the frame's corners there come from the stroker.
        const TRect r{rnd(-5, 110), rnd(-5, 90), rnd(-5, 125), rnd(-5, 105)};
        TTools t{{clBlack, rnd(0, 1) ? 1 : rnd(0, 6), pens[i % 4 == 0 ? 0 : rnd(0, 4)]},
                 {clRed, rnd(0, 1) ? TBrushStyle::bsSolid : TBrushStyle::bsClear},
                 i % 3 == 0};
        const std::optional<TRegion> clip = RandomClip(i, rnd);
        const auto [fast, path] = BothRoutes(t, clip, [&](TCanvas& c) { c.Rectangle(r); });
        ASSERT_EQ(fast, path) << "rectangle " << i << ": " << r.Left << "," << r.Top << "," << r.Right << ","
                              << r.Bottom << ", pen width " << t.Pen.Width << " style " << int(t.Pen.Style);
    }
}

TEST_F(QtCanvasFastPath, EllipsesMatchThePathRoute) {
    std::mt19937 rng(7);
    auto rnd = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const TPenStyle pens[] = {TPenStyle::psSolid, TPenStyle::psDash,  TPenStyle::psDot,         TPenStyle::psDashDot,
                              TPenStyle::psClear, TPenStyle::psInsideFrame, TPenStyle::psAlternate};
    for (int i = 0; i < 600; ++i) {
        // Small ones often: odd and even sizes of a few pixels differ most.
        const int x = rnd(-8, 110), y = rnd(-8, 90);
        const int w = i % 2 ? rnd(-12, 12) : rnd(-60, 60), h = i % 2 ? rnd(-12, 12) : rnd(-60, 60);
        const TRect r{x, y, x + w, y + h};
        TTools t{{clBlack, rnd(0, 1) ? 1 : rnd(0, 7), pens[rnd(0, 6)]},
                 {clRed, rnd(0, 2) ? TBrushStyle::bsSolid : TBrushStyle::bsClear},
                 i % 3 == 0};
        const std::optional<TRegion> clip = RandomClip(i, rnd);
        const auto [fast, path] = BothRoutes(t, clip, [&](TCanvas& c) { c.Ellipse(r); });
        ASSERT_EQ(fast, path) << "ellipse " << i << ": " << x << "," << y << " " << w << "x" << h << ", pen width "
                              << t.Pen.Width << " style " << int(t.Pen.Style);
    }
}

// Each pair of tool sets in both orders, on one canvas, against a fresh canvas
// for every figure. The sets differ in one thing at a time where it matters:
// a colour, a style, the mode, or only the mapping that widens the pen. A
// picture records every tool the painter is given, as a printer would.
TEST_F(QtCanvasFastPath, ToolsChangedBetweenFiguresAreNeverStale) {
    const TTools sets[] = {
        {{clBlack, 1, TPenStyle::psSolid}, {clRed, TBrushStyle::bsSolid}},
        {{clBlack, 1, TPenStyle::psSolid}, {clLime, TBrushStyle::bsSolid}},
        {{clBlue, 1, TPenStyle::psSolid}, {clLime, TBrushStyle::bsSolid}},
        {{clBlack, 1, TPenStyle::psSolid}, {clRed, TBrushStyle::bsSolid}, true},
        {{clBlue, 1, TPenStyle::psDash}, {clRed, TBrushStyle::bsClear}},
        {{clGreen, 3, TPenStyle::psSolid}, {clYellow, TBrushStyle::bsSolid}},
        {{clGreen, 3, TPenStyle::psSolid}, {clAqua, TBrushStyle::bsSolid}},
        {{clGreen, 3, TPenStyle::psSolid}, {clYellow, TBrushStyle::bsCross}},
        {{clBlack, 1, TPenStyle::psClear}, {clNavy, TBrushStyle::bsSolid}},
        {{clRed, 1, TPenStyle::psSolid, TPenMode::pmXor}, {clBlue, TBrushStyle::bsSolid}},
        {{clRed, 1, TPenStyle::psSolid, TPenMode::pmNotCopy}, {clRed, TBrushStyle::bsSolid}},
    };
    // Ellipses at both ends: one set's last figure and the next one's first
    // can both take their tools straight from the painter.
    const TFigure figures[] = {
        [](TCanvas& c) { c.Ellipse({20, 10, 70, 55}); },
        [](TCanvas& c) { c.Rectangle({4, 6, 40, 30}); },
        [](TCanvas& c) { c.MoveTo(5, 80); c.LineTo(100, 20); },
        [](TCanvas& c) { c.Rectangle({50, 40, 115, 95}); },
        [](TCanvas& c) { c.TextOut(10, 60, u"Tools"); },
        [](TCanvas& c) { c.Ellipse({60, 5, 110, 48}); },
    };
    auto shown = [](std::span<const QPicture> pictures) {
        QImage out(120, 100, QImage::Format_RGB32);
        out.fill(0xFFFFFFFF);
        QPainter p(&out);
        for (const QPicture& picture : pictures) p.drawPicture(0, 0, picture);
        p.end();
        return out;
    };
    const int n = static_cast<int>(std::size(sets));
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b) {
            Reset();
            QImage fresh = Image.copy();
            QPicture picture;
            std::vector<QPicture> parts;
            parts.reserve(3 * std::size(figures)); // recorded into while they stay put
            {
                QtCanvas recorded(&picture);
                for (const int s : {a, b, a})
                    for (const TFigure& figure : figures) {
                        for (TCanvas* c : {static_cast<TCanvas*>(Canvas.get()), static_cast<TCanvas*>(&recorded)}) {
                            Use(*c, sets[s]);
                            figure(*c);
                        }
                        QtCanvas once(&fresh);
                        Use(once, sets[s]);
                        figure(once);
                        QtCanvas onceRecorded(&parts.emplace_back());
                        Use(onceRecorded, sets[s]);
                        figure(onceRecorded);
                    }
            }
            Canvas->End();
            ASSERT_EQ(Image, fresh) << "sets " << a << " then " << b;
            ASSERT_EQ(shown({&picture, 1}), shown(parts)) << "recorded, sets " << a << " then " << b;
        }
}

// A canvas moved to a new image (as a resized window's) keeps its clip, and
// starts from a fresh painter, which holds none of the tools the canvas kept.
TEST_F(QtCanvasFastPath, ClipAndToolsReachThePainterAgainAfterRebinding) {
    struct TRebinding : QtCanvas {
        using QtCanvas::QtCanvas;
        void Rebind(QImage* image) {
            End();
            Begin(image);
        }
    };
    Canvas.reset();
    QImage second = Image.copy(), expected = Image.copy();
    const TRegion clip = TRegion::CreateRect({0, 0, 60, 100});
    auto draw = [&](TCanvas& c) {
        Use(c, {{clBlue, 3, TPenStyle::psSolid}, {clRed, TBrushStyle::bsSolid}});
        c.Ellipse({10, 10, 90, 70});
        c.Rectangle({30, 75, 100, 95});
        c.MoveTo(5, 90);
        c.LineTo(110, 80);
    };
    TRebinding canvas(&Image);
    canvas.SelectClipRgn(&clip);
    draw(canvas);
    canvas.Rebind(&second);
    draw(canvas);
    canvas.End();
    QtCanvas fresh(&expected);
    fresh.SelectClipRgn(&clip);
    draw(fresh);
    fresh.End();
    EXPECT_EQ(second, expected);
}

} // namespace
