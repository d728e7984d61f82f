// Dragging 1,000 marked symbols in a 100,000-symbol drawing with the
// mark-and-move tool: the time of one mouse-move step of the drag.
#include "bench_scene.h"

#include <velloran/tools/mark_move.h>

using namespace vl;
using namespace vl::bench;

namespace {

constexpr int Columns = 400;
constexpr int Rows = 250;
constexpr int Marked = 1000;

struct TScene : TBenchScene {
    TMarkMove* Tool = nullptr;

    TScene() {
        Box->SetAutoScroll(true);
        Tool = NewComponent<TMarkMove>(Form);
        Tool->SetDrawForm(Box);
        Open();
        PlaceSymbols(Columns, Rows, {10, 12}, {5, 5});
        Tool->Activate(nullptr);
        TvlDataMod& dm = Doc();
        for (int i = 0; i < Marked; ++i) dm.Select(dm.ObjectAt(i, 0));
        dm.Mark(nullptr);
        // Pressing on a marked symbol starts the move at once.
        Host->SendMouseMove(8, 8);
        Host->SendMouseDown(TMouseButton::mbLeft, 8, 8);
    }
    ~TScene() { Host->SendMouseUp(TMouseButton::mbLeft, 100, 100); }
};

void BM_DragStepOfThousandMarked(benchmark::State& state) {
    TScene& s = Shared<TScene>();
    int32_t x = 100;
    for (auto _ : state) {
        x = x == 100 ? 101 : 100;
        s.Host->SendMouseMove(x, 100, {TShiftStateItem::ssLeft});
    }
    state.counters["moving"] = static_cast<double>(s.Doc().MarkCase().Count());
    state.counters["objects"] = static_cast<double>(s.Doc().Count());
}
BENCHMARK(BM_DragStepOfThousandMarked)->Unit(benchmark::kMicrosecond);

} // namespace
