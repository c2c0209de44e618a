// The console window shown, 10 000 new lines of the log until they are on the screen: with an
// empty log, and with a log of half a million lines. The two should cost the same.

#include <string>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>

#include "console/qt/NotesWindow.h"
#include "frontend/Program.h"

namespace {

using namespace orvane;

constexpr int LinesAdded = 10000;

void ShowTheConsole(TNotesWindow& window) {
  window.ShowWindow();
  QElapsedTimer waited;
  waited.start();
  while (!window.isVisible() && waited.elapsed() < 5000)
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  QApplication::processEvents();
}

void BM_ConsoleShowsNewLines(benchmark::State& state) {
  TProgram program;
  TLog& log = program.Log;
  for (int64_t i = 0; i < state.range(0); ++i)
    log.Log("An earlier line of the log, number " + std::to_string(i));
  TNotesWindow window(program.FormNotes);
  ShowTheConsole(window);
  int64_t added = 0;
  for (auto _ : state) {
    for (int i = 0; i < LinesAdded; ++i)
      log.Log("  A new line of the log, number " + std::to_string(added++));
    window.ShowQueuedLines();
    QApplication::processEvents();
  }
  state.counters["lines_in_log"] = static_cast<double>(log.GetLines().size());
  state.SetItemsProcessed(state.iterations() * LinesAdded);
}
BENCHMARK(BM_ConsoleShowsNewLines)
    ->Arg(0)
    ->Arg(500000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  QApplication application(argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
