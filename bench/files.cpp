// Drawing files and undo over a 1,000,000-object drawing: saving and
// loading a file, and undoing a move of 10 objects.
#include "bench_scene.h"

#include <cstdio>
#include <filesystem>
#include <string>

#include <velloran/document/data_module.h>
#include <velloran/objects/object.h>

using namespace vl;
using namespace vl::bench;

namespace {

constexpr int Side = 1000;

struct TScene : TBenchScene {
    std::string Path = (std::filesystem::temp_directory_path() / "velloran_bench_files.vld").string();

    TScene() {
        Open();
        TvlDataMod& doc = Doc();
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
    ~TScene() { std::remove(Path.c_str()); }
};

void BM_SaveMillionObjects(benchmark::State& state) {
    TScene& s = Shared<TScene>();
    for (auto _ : state) s.Doc().SaveToFile(s.Path);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(s.Path)));
}
BENCHMARK(BM_SaveMillionObjects)->Unit(benchmark::kMillisecond);

void BM_LoadMillionObjects(benchmark::State& state) {
    TScene& s = Shared<TScene>();
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
    TScene& s = Shared<TScene>();
    TvlDataMod& doc = s.Doc();
    for (auto _ : state) {
        for (int i = 0; i < 10; ++i) doc.Select(doc.ObjectAt(Side * Side / 2 + i * 997, 0));
        s.Box->MoveObjects({30, 30});
        doc.Undo();
    }
}
BENCHMARK(BM_UndoMoveOfTenObjects)->Unit(benchmark::kMillisecond);

} // namespace
