// The new-game dialog's landscape preview: the time from a change of a setting to the finished
// picture, on the largest landscapes.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "dialogs/LandscapePreview.h"

namespace {

using namespace orvane;

// Difficulty 100, grids above 110 squares a side.
constexpr int32_t LargeLandscapes[] = {2016, 38, 107, 161, 176};

double Max(const std::vector<double>& values) {
  return *std::max_element(values.begin(), values.end());
}

// The difficulty slider moves between 100 and 99: every change makes a landscape anew.
void PreviewAfterDifficultyChange(benchmark::State& state) {
  TGameSettings settings;
  settings.ApplyDefaultSettings();
  settings.ChooseLandscape(static_cast<int32_t>(state.range(0)), 100);
  TLandscapePreview preview;
  preview.Show(settings, {});  // the preview's world is made on first use
  const int madeBefore = preview.LandscapesMade();
  int64_t squares = 0;
  double slowest = 0.0;  // ms, the slowest single change
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    settings.gs_S_Difficulty(settings.GameSpec().S_Difficulty == 100 ? 99 : 100);
    const TPreviewPicture& picture = preview.Show(settings, {});
    benchmark::DoNotOptimize(picture.Pixels.data());
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    slowest = std::max(slowest, took.count());
    squares += picture.Size;
  }
  if (preview.LandscapesMade() - madeBefore != state.iterations())
    state.SkipWithError("a change did not make the landscape anew");
  state.counters["GridSize"] = static_cast<double>(squares) / state.iterations();
  state.counters["SlowestMs"] = slowest;
}

// The dialog opens: the preview's world is made, then the first landscape.
void FirstPreview(benchmark::State& state) {
  TGameSettings settings;
  settings.ApplyDefaultSettings();
  settings.ChooseLandscape(static_cast<int32_t>(state.range(0)), 100);
  for (auto _ : state) {
    TLandscapePreview preview;
    benchmark::DoNotOptimize(preview.Show(settings, {}).Pixels.data());
  }
}

void LargeArguments(benchmark::internal::Benchmark* b) {
  for (int32_t number : LargeLandscapes)
    b->Arg(number);
}

BENCHMARK(PreviewAfterDifficultyChange)
    ->Apply(LargeArguments)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->ComputeStatistics("max", Max);
BENCHMARK(FirstPreview)->Arg(2016)->Unit(benchmark::kMillisecond);

}  // namespace
