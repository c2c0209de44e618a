// The cost of making a landscape: generation, mesh and placement, as the game makes it.

#include <benchmark/benchmark.h>

#include "frontend/Program.h"

namespace {

using namespace orvane;

// Large landscapes: difficulty 100, grids above 110 squares a side.
constexpr int32_t LargeLandscapes[] = {2016, 38, 107, 161, 176};

void MakeLandscape(benchmark::State& state) {
  TProgram program;
  TGameSettings& settings = program.Settings;
  settings.ApplyDefaultSettings();
  settings.ChooseLandscape(static_cast<int32_t>(state.range(0)),
                           static_cast<int32_t>(state.range(1)));
  program.Form1.CreateGame();
  program.Form1.Game->Init();
  TLandscape& land = program.Landscape();
  for (auto _ : state) {
    land.Make();
    benchmark::DoNotOptimize(land.GridSize);
  }
  state.counters["GridSize"] = land.GridSize;
  state.counters["Triangles"] = program.Scene.Mesh1->TriangleCount();
}

void LargeArguments(benchmark::internal::Benchmark* b) {
  for (int32_t number : LargeLandscapes)
    b->Args({number, 100});
}

BENCHMARK(MakeLandscape)
    ->Apply(LargeArguments)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->ComputeStatistics("max", [](const std::vector<double>& v) {
      return *std::max_element(v.begin(), v.end());
    });
BENCHMARK(MakeLandscape)->Args({1, 0})->Unit(benchmark::kMillisecond);

}  // namespace
