#pragma once
// What the drawing benchmarks share: headless services, a form holding a
// draw box in pixels with a 6 x 6 point creator, and a 400 x 300 window.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include <velloran/document/data_mod.h>
#include <velloran/platform/form.h>
#include <velloran/platform/headless_services.h>
#include <velloran/platform/headless_window_host.h>
#include <velloran/tools/vl_points.h>
#include <velloran/view/draw_box.h>

namespace vl::bench {

struct TBenchScene {
    THeadlessServices Svc;
    TServicesScope Scope{Svc};
    TForm Form;
    TvlDrawbox* Box = nullptr;
    TvlPoints* Points = nullptr;
    std::unique_ptr<THeadlessWindowHost> Host;

    // The form stays loading so that a scene can add its own components
    // before Open.
    TBenchScene() {
        Form.BeginLoading();
        Box = NewComponent<TvlDrawbox>(Form);
        Box->ScaleSetting().SetMinUnit(TLenUnits::Pixel);
        Points = NewComponent<TvlPoints>(Form);
        Points->SetDrawForm(Box);
        Points->Generator().SetWidth(6);
        Points->Generator().SetHeight(6);
    }
    // Runs after a scene's own destructor, which may still need the window.
    ~TBenchScene() {
        if (Host) Host->SetControl(nullptr);
    }
    TBenchScene(const TBenchScene&) = delete;
    TBenchScene& operator=(const TBenchScene&) = delete;

    void Open() {
        Host = std::make_unique<THeadlessWindowHost>(Box, TSize{400, 300});
        Form.FinishLoading();
    }
    TvlDataMod& Doc() { return *Box->DataModule(); }

    // Symbols row by row, Pitch apart with the first at First.
    std::vector<TvlObject*> PlaceSymbols(int columns, int rows, TPoint pitch, TPoint first) {
        std::vector<TvlObject*> placed;
        placed.reserve(static_cast<size_t>(columns) * static_cast<size_t>(rows));
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < columns; ++x)
                placed.push_back(Points->SetNewObj({x * pitch.X + first.X, y * pitch.Y + first.Y}));
        return placed;
    }
};

// Built by the first benchmark that asks and kept for the rest.
template <class TScene> TScene& Shared() {
    static TScene s;
    return s;
}

// Repaints the whole window each iteration.
inline void PaintWindow(benchmark::State& state, TBenchScene& s) {
    for (auto _ : state) {
        s.Host->InvalidateAll();
        benchmark::DoNotOptimize(s.Host->Paint());
    }
    state.counters["objects"] = static_cast<double>(s.Doc().Count());
}

} // namespace vl::bench
