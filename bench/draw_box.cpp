// The draw box over a 100,000-object drawing: painting a view that shows
// about 1% of it, and one hover search of a point creator.
#include "bench_scene.h"

using namespace vl;
using namespace vl::bench;

namespace {

constexpr int Columns = 400;
constexpr int Rows = 250;

// 400 x 250 symbols, 10 x 12 pixels apart: a 4000 x 3000 drawing behind a
// 400 x 300 window.
struct TScene : TBenchScene {
    int Found = 0;

    TScene() {
        Box->SetAutoScroll(true);
        Points->SetOptions({TToolOption::toDefaultTool});
        Open();
        PlaceSymbols(Columns, Rows, {10, 12}, {5, 5});
        Host->InvalidateAll();
        Host->Paint();
        Points->OnObjectFound = [this](TvlObject*, bool&) { ++Found; };
    }
};

void BM_PaintOnePercentView(benchmark::State& state) { PaintWindow(state, Shared<TScene>()); }
BENCHMARK(BM_PaintOnePercentView)->Unit(benchmark::kMicrosecond);

// The mouse between symbols: the search walks every object and finds none.
void BM_HoverSearchMiss(benchmark::State& state) {
    TScene& s = Shared<TScene>();
    s.Found = 0;
    for (auto _ : state) s.Host->SendMouseMove(399, 299);
    state.counters["found"] = s.Found;
}
BENCHMARK(BM_HoverSearchMiss)->Unit(benchmark::kMicrosecond);

} // namespace
