// 100,000 lines over 5,000 symbols: half of the lines are free, half hang
// between neighbouring symbols. Painting a view that shows about 1% of the
// drawing, a hit test that walks every object and finds nothing, and one
// that finds a line; moving a symbol with its lines.
#include "bench_scene.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include <velloran/objects/line_obj.h>
#include <velloran/tools/line_depends.h>

using namespace vl;
using namespace vl::bench;

namespace {

constexpr int Columns = 100;
constexpr int Rows = 50;
constexpr int LinesEach = 50000;

// A fixed sequence, so every run draws the same drawing.
struct TLcg {
    uint32_t s = 12345;
    int32_t Next(int32_t n) {
        s = s * 1664525u + 1013904223u;
        return static_cast<int32_t>((s >> 8) % static_cast<uint32_t>(n));
    }
};

// Symbols 40 x 60 pixels apart: a 4000 x 3000 drawing behind a 400 x 300
// window.
struct TScene : TBenchScene {
    TvlLines* Lines = nullptr;
    TLineDepends* Cables = nullptr;
    std::vector<TvlObject*> Symbols;

    TScene() {
        Points->Generator().SetHotspotX(3);
        Points->Generator().SetHotspotY(3);
        Lines = NewComponent<TvlLines>(Form);
        Lines->SetDrawForm(Box);
        Lines->SetOptions({TToolOption::toDefaultTool});
        Cables = NewComponent<TLineDepends>(Form);
        Cables->SetDrawForm(Box);
        Cables->SetMasterObject(Points);
        Open();
        Symbols = PlaceSymbols(Columns, Rows, {40, 60}, {20, 30});
        TLcg r;
        for (int i = 0; i < LinesEach; ++i) {
            const TPoint a{r.Next(4000), r.Next(3000)};
            Add(*Lines, a, {a.X + r.Next(61) - 30, a.Y + r.Next(61) - 30}, nullptr, nullptr);
        }
        // Each cable joins a symbol to one within two cells.
        for (int i = 0; i < LinesEach; ++i) {
            const int x = r.Next(Columns), y = r.Next(Rows);
            const int x2 = std::clamp(x + r.Next(5) - 2, 0, Columns - 1);
            const int y2 = std::clamp(y + r.Next(5) - 2, 0, Rows - 1);
            Add(*Cables, {}, {}, Symbols[y * Columns + x], Symbols[y2 * Columns + x2]);
        }
        Host->InvalidateAll();
        Host->Paint();
    }

    void Add(TCustomLines& c, TPoint a, TPoint b, TvlObject* m1, TvlObject* m2) {
        std::unique_ptr<TvlObject> o = c.CreateObject();
        auto* l = static_cast<TLineObj*>(o.get());
        l->SetPos(a);
        l->SetPos2(b);
        if (m1) l->SetMaster(m1);
        if (m2) l->SetMaster2(m2);
        c.RegisterNewObj(std::move(o));
    }
    // The document's first object hit by a click at P.
    TvlObject* HitAt(TPoint P) {
        TLimRec Params{P.X, P.Y, P.X + 1, P.Y + 1};
        return Doc().FirstObjectWith([&](TvlObject* o) { return o->Found(Params); });
    }
};

void BM_LinesPaintOnePercentView(benchmark::State& state) { PaintWindow(state, Shared<TScene>()); }
BENCHMARK(BM_LinesPaintOnePercentView)->Unit(benchmark::kMicrosecond);

// Outside the drawing: the search asks every object and finds none.
void BM_LinesHitTestMiss(benchmark::State& state) {
    TScene& s = Shared<TScene>();
    TActScaleSetScope mapping(&s.Box->ScaleSetting());
    for (auto _ : state) benchmark::DoNotOptimize(s.HitAt({-500, -500}));
}
BENCHMARK(BM_LinesHitTestMiss)->Unit(benchmark::kMicrosecond);

// Halfway along a cable: the answer is a line found by its segment.
void BM_LinesHitTestCable(benchmark::State& state) {
    TScene& s = Shared<TScene>();
    TActScaleSetScope mapping(&s.Box->ScaleSetting());
    const auto* cable = static_cast<const TLineObj*>(s.Box->DataModule()->LastObjectWith(
        [](TvlObject* o) {
            const auto* l = dynamic_cast<const TLineObj*>(o);
            return l && l->IsP1Slave() && l->GetWidth() > 30;
        }));
    const TPoint p{(cable->GetX() + cable->GetX2()) / 2, (cable->GetY() + cable->GetY2()) / 2};
    int64_t found = 0;
    for (auto _ : state) found += s.HitAt(p) != nullptr;
    state.counters["found"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_LinesHitTestCable)->Unit(benchmark::kMicrosecond);

// The dependants walk before a move: every line asks whether a master is
// selected; one symbol with its cables joins the selection.
void BM_LinesInvolvedInMove(benchmark::State& state) {
    TScene& s = Shared<TScene>();
    TActScaleSetScope mapping(&s.Box->ScaleSetting());
    TvlDataMod& dm = *s.Box->DataModule();
    for (auto _ : state) {
        dm.Select(s.Symbols[Columns * Rows / 2]);
        dm.CheckLinks(TInvolve::invMove);
        benchmark::DoNotOptimize(dm.MarkCase().Count());
        dm.UnmarkAll();
    }
}
BENCHMARK(BM_LinesInvolvedInMove)->Unit(benchmark::kMicrosecond);

} // namespace
