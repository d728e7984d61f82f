// Dragging 1,000 marked symbols in a 100,000-symbol drawing with the
// mark-and-move tool: the time of one mouse-move step of the drag.
#include <benchmark/benchmark.h>

#include <memory>

#include <velloran/document/data_mod.h>
#include <velloran/platform/form.h>
#include <velloran/platform/headless_services.h>
#include <velloran/platform/headless_window_host.h>
#include <velloran/tools/mark_move.h>
#include <velloran/tools/vl_points.h>
#include <velloran/view/draw_box.h>

using namespace vl;

namespace {

constexpr int Columns = 400;
constexpr int Rows = 250;
constexpr int Marked = 1000;

struct TScene {
    THeadlessServices Svc;
    TServicesScope Scope{Svc};
    TForm Form;
    TvlDrawbox* Box = nullptr;
    TvlPoints* Points = nullptr;
    TMarkMove* Tool = nullptr;
    std::unique_ptr<THeadlessWindowHost> Host;

    TScene() {
        Form.BeginLoading();
        Box = NewComponent<TvlDrawbox>(Form);
        Box->SetAutoScroll(true);
        Box->ScaleSetting().SetMinUnit(TLenUnits::Pixel);
        Points = NewComponent<TvlPoints>(Form);
        Points->SetDrawForm(Box);
        Points->Generator().SetWidth(6);
        Points->Generator().SetHeight(6);
        Tool = NewComponent<TMarkMove>(Form);
        Tool->SetDrawForm(Box);
        Host = std::make_unique<THeadlessWindowHost>(Box, TSize{400, 300});
        Form.FinishLoading();
        for (int y = 0; y < Rows; ++y)
            for (int x = 0; x < Columns; ++x) Points->SetNewObj({x * 10 + 5, y * 12 + 5});
        Tool->Activate(nullptr);
        TvlDataMod& dm = *Box->DataModule();
        for (int i = 0; i < Marked; ++i) dm.Select(dm.ObjectAt(i, 0));
        dm.Mark(nullptr);
        // Pressing on a marked symbol starts the move at once.
        Host->SendMouseMove(8, 8);
        Host->SendMouseDown(TMouseButton::mbLeft, 8, 8);
    }
    ~TScene() {
        Host->SendMouseUp(TMouseButton::mbLeft, 100, 100);
        Host->SetControl(nullptr);
    }
};

TScene& Scene() {
    static TScene s;
    return s;
}

void BM_DragStepOfThousandMarked(benchmark::State& state) {
    TScene& s = Scene();
    int32_t x = 100;
    for (auto _ : state) {
        x = x == 100 ? 101 : 100;
        s.Host->SendMouseMove(x, 100, {TShiftStateItem::ssLeft});
    }
    state.counters["moving"] = static_cast<double>(s.Box->DataModule()->MarkCase().Count());
    state.counters["objects"] = static_cast<double>(s.Box->DataModule()->Count());
}
BENCHMARK(BM_DragStepOfThousandMarked)->Unit(benchmark::kMicrosecond);

} // namespace
