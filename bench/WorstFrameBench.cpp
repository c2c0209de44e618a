// The worst frame tick: the largest landscape (number 2016 at difficulty 100, 128 squares a
// side) with all 14 scanner slots used, every scanner's scan ending in the same tick. Each
// repetition times one tick through the frame tick's animation step, so the median and the
// max are those of single ticks.

#include <algorithm>
#include <cmath>
#include <exception>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

#include "frontend/Program.h"
#include "world/MathKT.h"

namespace {

using namespace orvane;

constexpr int32_t LargestLandscape = 2016;
constexpr double FrameTime = 1.0 / 60.0;
// Between timed ticks the world runs on untimed, in short ticks, so that what the last tick
// started (trees growing, sounds, turns) ends and the animation table does not fill up.
constexpr int SettlingTicks = 5;
constexpr double SettlingTime = 0.1;
// Drains lower the energy; it is put back before every tick, so the game never ends.
constexpr int RestoredEnergy = 100;
// Trees from drains pile up: the world is made anew after so many ticks.
constexpr int TicksPerWorld = 25;
constexpr int Repetitions = 200;

bool IsScannerWait(const TAnimation& animation, const TScanner& scanner) {
  return (animation.Kind == ga_Scan || animation.Kind == ga_rotate) &&
         animation.X == scanner.PosX && animation.Z == scanner.PosZ &&
         animation.Level == scanner.Level;
}

// The game's world and everything it lives in, without a window.
class TWorstWorld {
 public:
  explicit TWorstWorld(int hiddenBoulders) : HiddenBoulders(hiddenBoulders) {
    TGameSettings& settings = Program.Settings;
    settings.ApplyDefaultSettings();
    settings.ChooseLandscape(LargestLandscape, 100);
    Program.Form1.CreateGame();
    MakeAnew();
  }

  TLandscape& Land() { return Program.Landscape(); }
  TSimulation& Simulation() { return *Program.Form1.Simulation; }

  // The landscape made again, every free scanner slot filled with a sentry, the player's
  // climbing boulders placed where no scanner sees them, and the scanners started.
  void MakeAnew() {
    Program.Form1.Game->Init();
    AddSentries();
    AddHiddenBoulders();
    Simulation().StopScanners();
    Simulation().StartScanners();
    Ticks = 0;
  }

  // Untimed: brings every scanner to a scan wait that ends in the next tick.
  void PrepareTick() {
    if (Ticks++ == TicksPerWorld) MakeAnew();
    for (int tick = 0; tick < SettlingTicks; ++tick) {
      ForEachScannerWait([](TAnimation& wait) {
        // Turns end now; scans wait on.
        wait.Elapsed = wait.Kind == ga_rotate ? wait.Duration : -float(SettlingTime);
      });
      Simulation().ProgressAnimations(SettlingTime);
    }
    int scans = 0;
    ForEachScannerWait([&](TAnimation& wait) {
      if (wait.Kind != ga_Scan) return;
      wait.Elapsed = wait.Duration;
      ++scans;
    });
    if (scans != MaxScanners) throw std::logic_error("not every scanner is about to scan");
    Land().SetEnergy(RestoredEnergy);
  }

  void Tick() { Simulation().ProgressAnimations(FrameTime); }

  // What the last tick did: scanners that saw the player (and drained), and the squares the
  // others picked in their search for something to take (all of them, when nothing is found).
  int SawPlayer() {
    int seen = 0;
    for (int n = 1; n <= MaxScanners; ++n)
      seen += Land().Scanners(n).Seen == 2 ? 1 : 0;
    return seen;
  }
  int SearchPicks() {
    const double squares = double(Land().GridSize) * Land().GridSize;
    int picks = 0;
    for (int n = 1; n <= MaxScanners; ++n) {
      const TScanner& scanner = Land().Scanners(n);
      if (scanner.Seen != 2) picks += Round(std::trunc(squares * scanner.ScanEff));
    }
    return picks;
  }
  int Boulders() {
    int count = 0;
    for (int x = 0; x < Land().GridSize; ++x)
      for (int z = 0; z < Land().GridSize; ++z)
        for (int level = 1; level <= Land().TopLevel(x, z); ++level)
          count += Land().Object(x, z, level).Kind == go_boulder ? 1 : 0;
    return count;
  }

 private:
  template <class TAction>
  void ForEachScannerWait(TAction&& action) {
    for (int slot = 0; slot < AnimationSlots; ++slot) {
      TAnimation& animation = Land().Animations(slot);
      for (int n = 1; n <= MaxScanners; ++n) {
        const TScanner& scanner = Land().Scanners(n);
        if (scanner.State != ss_Free && IsScannerWait(animation, scanner)) {
          action(animation);
          break;
        }
      }
    }
  }

  bool FlatAndEmpty(int x, int z) { return Land().IsFlatSquare(x, z) && Land().TopLevel(x, z) < 1; }

  // Sentries on the highest free flat squares, where they see the most.
  void AddSentries() {
    TLandscape& land = Land();
    for (int i = 0; i <= land.SquareCount && land.FindFreeScanner() > 0; ++i) {
      const TSquareEntry square = land.SquaresByHeight(i);
      if (!FlatAndEmpty(square.X, square.Z)) continue;
      land.AddGameObject(square.X, square.Z, go_sentry, float((i * 97) % 360), false);
    }
  }

  // A boulder no scanner can see costs a sight test each time a search picks its square, and
  // is never taken, so the world keeps its shape.
  bool HiddenFromEveryScanner(int x, int z) {
    TLandscape& land = Land();
    const float ground = land.PointHeight(x, z);
    for (int n = 1; n <= MaxScanners; ++n) {
      const TScanner& scanner = land.Scanners(n);
      if (scanner.State == ss_Free) continue;
      if (!(ground <= scanner.ViewHgt)) return false;  // above an eye: never even looked at
      const glm::vec3 eye{float(scanner.PosX) + 0.5f, float(scanner.ViewHgt),
                          float(scanner.PosZ) + 0.5f};
      if (Simulation().SightLine(eye, {float(x) + 0.5f, ground, float(z) + 0.5f}, false) > 0.01f ||
          Simulation().SquareVisibility(x, z, eye) > 0.01f)
        return false;
    }
    return true;
  }

  void AddHiddenBoulders() {
    TLandscape& land = Land();
    std::vector<std::pair<int, int>> squares;
    for (int x = 1; x < land.GridSize; ++x)
      for (int z = 1; z < land.GridSize; ++z)
        squares.emplace_back(x, z);
    std::shuffle(squares.begin(), squares.end(), std::mt19937(LargestLandscape));
    int placed = 0;
    for (const auto& [x, z] : squares) {
      if (placed == HiddenBoulders) break;
      if (!FlatAndEmpty(x, z) || !HiddenFromEveryScanner(x, z)) continue;
      land.AddGameObject(x, z, go_boulder, 0.0f, false);
      ++placed;
    }
  }

  TProgram Program;
  const int HiddenBoulders;
  int Ticks = 0;
};

// One tick with all fourteen scans ending in it; the argument is the number of boulders the
// player has left where no scanner sees them. The world lives on from one repetition to the
// next.
void WorstFrame(benchmark::State& state) {
  static std::map<int, std::unique_ptr<TWorstWorld>> worlds;
  const int hidden = static_cast<int>(state.range(0));
  std::unique_ptr<TWorstWorld>& world = worlds[hidden];
  try {
    if (!world) world = std::make_unique<TWorstWorld>(hidden);
    world->PrepareTick();
    const int energy = world->Land().Energy;
    for (auto _ : state)
      world->Tick();
    state.counters["SawPlayer"] = world->SawPlayer();
    state.counters["Drained"] = energy - world->Land().Energy;
    state.counters["SearchPicks"] = world->SearchPicks();
    state.counters["Boulders"] = world->Boulders();
    state.counters["GridSize"] = world->Land().GridSize;
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}

BENCHMARK(WorstFrame)
    ->Arg(0)
    ->Arg(40)
    ->Iterations(1)
    ->Repetitions(Repetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("p99",
                        [](const std::vector<double>& v) {
                          // One tick in a hundred is slower: a stall of the machine shows in
                          // the max alone.
                          std::vector<double> sorted = v;
                          std::sort(sorted.begin(), sorted.end());
                          return sorted[sorted.size() * 99 / 100];
                        })
    ->ComputeStatistics("max", [](const std::vector<double>& v) {
      return *std::max_element(v.begin(), v.end());
    });

}  // namespace
