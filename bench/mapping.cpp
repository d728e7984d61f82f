// Logical-to-device conversion runs for every coordinate painted.
#include <benchmark/benchmark.h>

#include <vector>

#include "velloran/platform/mapping.h"

static void BM_MappingLPtoDP(benchmark::State& state) {
    vl::TMapping m;
    m.Mode = vl::TMapMode::mmAnisotropic;
    m.WindowExt = {32767, 32767};
    m.ViewportExt = {12288, -12288};
    m.ViewportOrg = {10, 700};
    std::vector<vl::TPoint> pts(1024);
    for (int i = 0; i < 1024; ++i) pts[i] = {i * 37, i * 11};
    for (auto _ : state) {
        auto copy = pts;
        m.LPtoDP(copy);
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetItemsProcessed(state.iterations() * 1024);
}
BENCHMARK(BM_MappingLPtoDP);
