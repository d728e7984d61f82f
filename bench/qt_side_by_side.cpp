// Velloran beside Qt Graphics View in one process: the same filled and
// outlined 6 x 6 symbols on a 1920 x 1080 image, checked pixel for pixel,
// then repaint, hover and memory timed on both sides. Prints a table of
// medians and their ratios (Velloran / Qt; below 1 means Velloran is faster).
#include <QApplication>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>

#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <velloran-qt/qt_canvas.h>
#include <velloran-qt/qt_services.h>
#include <velloran/document/data_mod.h>
#include <velloran/platform/form.h>
#include <velloran/platform/headless_window_host.h>
#include <velloran/tools/vl_points.h>
#include <velloran/view/draw_box.h>

using namespace vl;

namespace {

constexpr int ViewW = 1920, ViewH = 1080;
constexpr int Side = 6;

// N symbols in rows and columns, Spacing apart; the 1920 x 1080 view at the
// origin shows about 1,000 of them at spacing 45, all of 10,000 at 14.
struct TLayout {
    int Cols, Rows;
    double Spacing;
    TLayout(int n, double spacing) : Spacing(spacing) {
        Cols = std::max(1, static_cast<int>(std::sqrt(n * 16.0 / 9.0)));
        Rows = (n + Cols - 1) / Cols;
    }
    QPoint At(int i) const { return {int((i % Cols) * Spacing) + 2, int((i / Cols) * Spacing) + 2}; }
    // Symbols wholly inside the view.
    int Visible(int n) const {
        int v = 0;
        for (int i = 0; i < n; ++i) {
            const QPoint p = At(i);
            if (p.y() + Side > ViewH) break;
            v += p.x() + Side <= ViewW;
        }
        return v;
    }
};
constexpr double Sparse = 45, Dense = 14.4;

// Large blocks (the object lists, index arrays) come from mmap and are not
// in uordblks; both are counted.
size_t HeapInUse() {
    const auto m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Median over Repeats samples of the mean time of Inner calls, in microseconds.
double Time(int Repeats, int Inner, const std::function<void()>& F) {
    std::vector<double> s;
    for (int r = 0; r < Repeats; ++r) {
        const auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < Inner; ++i) F();
        s.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count() / Inner);
    }
    return Median(s);
}

struct TVelloran {
    TForm Form;
    TvlDrawbox* Box = nullptr;
    TvlPoints* Points = nullptr;
    std::unique_ptr<THeadlessWindowHost> Host;
    QImage Image{ViewW, ViewH, QImage::Format_RGB32};
    std::unique_ptr<QtCanvas> Canvas;
    size_t Bytes = 0;
    int Found = 0;

    TVelloran(int n, double spacing) {
        Canvas = std::make_unique<QtCanvas>(&Image);
        Form.BeginLoading();
        Box = NewComponent<TvlDrawbox>(Form);
        Box->ScaleSetting().SetMinUnit(TLenUnits::Pixel);
        Points = NewComponent<TvlPoints>(Form);
        Points->SetDrawForm(Box);
        TCustomGenerator& g = Points->Generator();
        g.SetWidth(Side);
        g.SetHeight(Side);
        g.SetPen({clBlack, 1, TPenStyle::psSolid, TPenMode::pmCopy});
        g.SetBrush({clRed, TBrushStyle::bsSolid});
        Host = std::make_unique<THeadlessWindowHost>(Box, TSize{ViewW, ViewH});
        Host->SetCanvas(Canvas.get());
        Form.FinishLoading();
        const TLayout l(n, spacing);
        const size_t before = HeapInUse();
        for (int i = 0; i < n; ++i) {
            const QPoint p = l.At(i);
            Points->SetNewObj({p.x(), p.y()});
        }
        Paint();
        Bytes = HeapInUse() - before;
        Points->OnObjectFound = [this](TvlObject*, bool&) { ++Found; };
    }
    ~TVelloran() { Host->SetControl(nullptr); }
    void Paint() {
        Image.fill(Qt::white);
        Host->InvalidateAll();
        Host->Paint();
    }
    void Hover(QPoint p) { Points->MouseMove({}, {p.x(), p.y()}); }
};

struct TQt {
    QGraphicsScene Scene;
    QImage Image{ViewW, ViewH, QImage::Format_RGB32};
    size_t Bytes = 0;

    TQt(int n, double spacing) {
        const TLayout l(n, spacing);
        const size_t before = HeapInUse();
        const QPen pen(Qt::black, 0);
        const QBrush brush(Qt::red);
        Scene.setSceneRect(0, 0, l.Cols * spacing + 10, l.Rows * spacing + 10);
        for (int i = 0; i < n; ++i) {
            const QPoint p = l.At(i);
            // A one-pixel pen outlines the pixels from x to x + 5: a 5-wide rectangle.
            auto* item = new QGraphicsRectItem(p.x(), p.y(), Side - 1, Side - 1);
            item->setPen(pen);
            item->setBrush(brush);
            Scene.addItem(item);
        }
        // As a running application: the event loop builds the index once.
        QApplication::processEvents();
        Paint();
        Bytes = HeapInUse() - before;
    }
    void Paint() {
        Image.fill(Qt::white);
        QPainter p(&Image);
        Scene.render(&p, QRectF(0, 0, ViewW, ViewH), QRectF(0, 0, ViewW, ViewH));
    }
    bool Hover(QPoint p) { return Scene.itemAt(p, QTransform()) != nullptr; }
};

long Differences(const QImage& a, const QImage& b) {
    long d = 0;
    for (int y = 0; y < ViewH; ++y)
        for (int x = 0; x < ViewW; ++x) d += a.pixel(x, y) != b.pixel(x, y);
    return d;
}

struct TRow {
    std::string Work;
    double Vl, Qt;
    const char* Unit;
};

void Print(const std::vector<TRow>& Rows) {
    std::printf("\n%-48s %12s %12s %9s\n", "work (median)", "Velloran", "Qt", "Vl / Qt");
    for (const TRow& r : Rows)
        std::printf("%-48s %10.2f%-2s %10.2f%-2s %8.3fx\n", r.Work.c_str(), r.Vl, r.Unit, r.Qt, r.Unit, r.Vl / r.Qt);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QtServices svc;
    TServicesScope scope(svc);
    TActScaleSetScope mapping(nullptr);
    const int repeats = argc > 1 ? std::max(3, std::atoi(argv[1])) : 7;
    std::vector<TRow> rows;
    bool same = true;

    {
        TVelloran v(10000, Dense);
        TQt q(10000, Dense);
        const long d = Differences(v.Image, q.Image);
        const int visible = TLayout(10000, Dense).Visible(10000);
        std::printf("pixels, 10k objects, %d visible: %ld differ\n", visible, d);
        same = same && d == 0;
        rows.push_back({"repaint, 10k all visible (" + std::to_string(visible) + " wholly)", Time(repeats, 3, [&] { v.Paint(); }),
                        Time(repeats, 3, [&] { q.Paint(); }), "ms"});
        rows.back().Vl /= 1000, rows.back().Qt /= 1000;
    }
    std::vector<double> ownPaint;
    for (const int n : {10000, 100000, 1000000}) {
        TVelloran v(n, Sparse);
        TQt q(n, Sparse);
        const long d = Differences(v.Image, q.Image);
        const int visible = TLayout(n, Sparse).Visible(n);
        std::printf("pixels, %d objects, %d visible: %ld differ\n", n, visible, d);
        same = same && d == 0;
        const std::string k = n >= 1000000 ? "1M" : std::to_string(n / 1000) + "k";
        char share[64];
        std::snprintf(share, sizeof share, "%d of %s visible (%.2g%%)", visible, k.c_str(), 100.0 * visible / n);
        rows.push_back({std::string("repaint, ") + share, Time(repeats, 5, [&] { v.Paint(); }),
                        Time(repeats, 5, [&] { q.Paint(); }), "ms"});
        rows.back().Vl /= 1000, rows.back().Qt /= 1000;
        ownPaint.push_back(rows.back().Vl);
        if (n < 100000) continue;
        const TLayout l(n, Sparse);
        // Alternating two spots, so every move searches.
        const QPoint gap1 = l.At(l.Cols + 1) + QPoint(20, 20), gap2 = l.At(2 * l.Cols + 3) + QPoint(20, 20);
        const QPoint sym1 = l.At(l.Cols + 1) + QPoint(3, 3), sym2 = l.At(2 * l.Cols + 3) + QPoint(3, 3);
        bool flip = false;
        rows.push_back({"hover, empty spot, " + k, Time(repeats, 2000, [&] { v.Hover((flip = !flip) ? gap1 : gap2); }),
                        Time(repeats, 2000, [&] { q.Hover((flip = !flip) ? gap1 : gap2); }), "us"});
        v.Found = 0;
        int qtFound = 0;
        rows.push_back({"hover, over a symbol, " + k, Time(repeats, 2000, [&] { v.Hover((flip = !flip) ? sym1 : sym2); }),
                        Time(repeats, 2000, [&] { qtFound += q.Hover((flip = !flip) ? sym1 : sym2); }), "us"});
        if (v.Found == 0 || qtFound == 0) std::printf("hover over a symbol found nothing on one side\n"), same = false;
        if (n == 1000000)
            rows.push_back({"memory per object, 1M", double(v.Bytes) / n, double(q.Bytes) / n, "B "});
    }
    Print(rows);
    std::printf("Velloran's own repaint, 1M / 10k: %.2fx\n", ownPaint.back() / ownPaint.front());
    if (!same) std::printf("WARNING: the two sides did not agree; the timings compare different work\n");
    return same ? 0 : 1;
}
