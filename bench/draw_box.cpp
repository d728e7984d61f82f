// The draw box over a 100,000-object drawing: painting a view that shows
// about 1% of it, and one hover search of a point creator.
#include <benchmark/benchmark.h>

#include <memory>

#include <velloran/document/data_mod.h>
#include <velloran/platform/form.h>
#include <velloran/platform/headless_services.h>
#include <velloran/platform/headless_window_host.h>
#include <velloran/tools/vl_points.h>
#include <velloran/view/draw_box.h>

using namespace vl;

namespace {

constexpr int Columns = 400;
constexpr int Rows = 250;

// 400 x 250 symbols, 10 x 12 pixels apart: a 4000 x 3000 drawing behind a
// 400 x 300 window.
struct TScene {
    THeadlessServices Svc;
    TServicesScope Scope{Svc};
    TForm Form;
    TvlDrawbox* Box = nullptr;
    TvlPoints* Points = nullptr;
    std::unique_ptr<THeadlessWindowHost> Host;
    int Found = 0;

    TScene() {
        Form.BeginLoading();
        Box = NewComponent<TvlDrawbox>(Form);
        Box->SetAutoScroll(true);
        Box->ScaleSetting().SetMinUnit(TLenUnits::Pixel);
        Points = NewComponent<TvlPoints>(Form);
        Points->SetDrawForm(Box);
        Points->SetOptions({TToolOption::toDefaultTool});
        Points->Generator().SetWidth(6);
        Points->Generator().SetHeight(6);
        Host = std::make_unique<THeadlessWindowHost>(Box, TSize{400, 300});
        Form.FinishLoading();
        for (int y = 0; y < Rows; ++y)
            for (int x = 0; x < Columns; ++x) Points->SetNewObj({x * 10 + 5, y * 12 + 5});
        Host->InvalidateAll();
        Host->Paint();
        Points->OnObjectFound = [this](TvlObject*, bool&) { ++Found; };
    }
    ~TScene() { Host->SetControl(nullptr); }
};

TScene& Scene() {
    static TScene s;
    return s;
}

void BM_PaintOnePercentView(benchmark::State& state) {
    TScene& s = Scene();
    for (auto _ : state) {
        s.Host->InvalidateAll();
        benchmark::DoNotOptimize(s.Host->Paint());
    }
    state.counters["objects"] = static_cast<double>(s.Box->DataModule()->Count());
}
BENCHMARK(BM_PaintOnePercentView)->Unit(benchmark::kMicrosecond);

// The mouse between symbols: the search walks every object and finds none.
void BM_HoverSearchMiss(benchmark::State& state) {
    TScene& s = Scene();
    s.Found = 0;
    for (auto _ : state) s.Host->SendMouseMove(399, 299);
    state.counters["found"] = s.Found;
}
BENCHMARK(BM_HoverSearchMiss)->Unit(benchmark::kMicrosecond);

} // namespace
