// The console's heavy commands: the heights of a whole landscape, and a long script of
// preference lines.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "frontend/Program.h"

namespace {

using namespace orvane;

// The game reads and writes scripts relative to the working folder: the benchmarks run in a
// folder of their own.
class TBenchFolder {
 public:
  TBenchFolder() : Previous(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvane-bench-XXXXXX").string();
    Folder = mkdtemp(pattern.data());
    std::filesystem::current_path(Folder);
    std::filesystem::create_directory("script");
  }
  ~TBenchFolder() {
    std::filesystem::current_path(Previous);
    std::filesystem::remove_all(Folder);
  }

 private:
  std::filesystem::path Previous;
  std::filesystem::path Folder;
};

// The largest landscape: 128 squares a side.
void StartLargestLandscape(TProgram& program) {
  program.Form1.StartUp();
  program.Settings.ChooseLandscape(2016, 100);
  program.Form1.Game->Init();
}

void GethWholeLandscape(benchmark::State& state) {
  const TBenchFolder folder;
  TProgram program;
  StartLargestLandscape(program);
  for (auto _ : state) {
    program.FormNotes.ExecuteCommand("GETH", true);
    state.PauseTiming();
    program.Log.Clear();
    state.ResumeTiming();
  }
  state.counters["GridSize"] = program.Landscape().GridSize;
}
BENCHMARK(GethWholeLandscape)->Unit(benchmark::kMillisecond);

void PreferenceScript(benchmark::State& state) {
  const TBenchFolder folder;
  {
    std::ofstream script("script/Long.osc");
    const char* const keys[] = {"S_Difficulty", "S_GameSpeed", "C_ReverseZoom", "S_Resources"};
    const char* const values[] = {"40", "-3", "on", "8"};
    for (int i = 0; i < 10000; ++i)
      script << "pref " << keys[i % 4] << ' ' << values[i % 4] << "\r\n";
  }
  TProgram program;
  StartLargestLandscape(program);
  for (auto _ : state) {
    program.FormNotes.ExecuteCommand("RUN Long", true);
    benchmark::DoNotOptimize(program.Settings.S_GameSpeed());
  }
}
BENCHMARK(PreferenceScript)->Unit(benchmark::kMillisecond);

}  // namespace
