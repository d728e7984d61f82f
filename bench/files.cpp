// Drawing files and undo over a 1,000,000-object drawing: saving and
// loading a file, and undoing a move of 10 objects.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include <velloran/document/data_module.h>
#include <velloran/objects/object.h>
#include <velloran/platform/form.h>
#include <velloran/platform/headless_services.h>
#include <velloran/platform/headless_window_host.h>
#include <velloran/tools/vl_points.h>
#include <velloran/view/draw_box.h>

using namespace vl;

namespace {

constexpr int Side = 1000;

struct TScene {
    THeadlessServices Svc;
    TServicesScope Scope{Svc};
    TForm Form;
    TvlDrawbox* Box = nullptr;
    TvlPoints* Points = nullptr;
    std::unique_ptr<THeadlessWindowHost> Host;
    std::string Path = (std::filesystem::temp_directory_path() / "velloran_bench_files.vld").string();

    TScene() {
        Form.BeginLoading();
        Box = NewComponent<TvlDrawbox>(Form);
        Box->ScaleSetting().SetMinUnit(TLenUnits::Pixel);
        Points = NewComponent<TvlPoints>(Form);
        Points->SetDrawForm(Box);
        Points->Generator().SetWidth(6);
        Points->Generator().SetHeight(6);
        Host = std::make_unique<THeadlessWindowHost>(Box, TSize{400, 300});
        Form.FinishLoading();
        TvlDataMod& doc = *Box->DataModule();
        doc.SetUndoFunction(TUndo{TUndoOptions::unMove});
        doc.SetUndoSteps(10);
        doc.Loaded();
        for (int y = 0; y < Side; ++y)
            for (int x = 0; x < Side; ++x) {
                std::unique_ptr<TvlObject> o = Points->CreateObject();
                o->Count();
                o->SetPos({x * 10, y * 10});
                o->SetVisible(true);
                doc.Add(std::move(o), 0);
            }
        doc.RecalcLimits();
    }
    ~TScene() {
        Host->SetControl(nullptr);
        std::remove(Path.c_str());
    }
    TvlDataMod& Doc() { return *Box->DataModule(); }
};

TScene& Scene() {
    static TScene s;
    return s;
}

void BM_SaveMillionObjects(benchmark::State& state) {
    TScene& s = Scene();
    for (auto _ : state) s.Doc().SaveToFile(s.Path);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(s.Path)));
}
BENCHMARK(BM_SaveMillionObjects)->Unit(benchmark::kMillisecond);

void BM_LoadMillionObjects(benchmark::State& state) {
    TScene& s = Scene();
    s.Doc().SaveToFile(s.Path);
    for (auto _ : state)
        if (!s.Doc().LoadFromFile(s.Path)) state.SkipWithError("load failed");
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(s.Path)));
    state.counters["objects"] = s.Doc().Count();
}
BENCHMARK(BM_LoadMillionObjects)->Unit(benchmark::kMillisecond);

// The move writes only the 10 records; the undo takes the redo snapshot of
// the whole drawing and puts the 10 objects back.
void BM_UndoMoveOfTenObjects(benchmark::State& state) {
    TScene& s = Scene();
    TvlDataMod& doc = s.Doc();
    for (auto _ : state) {
        for (int i = 0; i < 10; ++i) doc.Select(doc.ObjectAt(Side * Side / 2 + i * 997, 0));
        s.Box->MoveObjects({30, 30});
        doc.Undo();
    }
}
BENCHMARK(BM_UndoMoveOfTenObjects)->Unit(benchmark::kMillisecond);

} // namespace
