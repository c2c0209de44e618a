#pragma once

// Helpers shared by the tests of stacks, object management, shapes and animations.

#include <cmath>
#include <cstdint>
#include <set>
#include <tuple>
#include <vector>

#include "WorldFixture.h"

namespace orvane::test {

// How many draws take the generator from one seed to another; -1 when it does not get there
// within the limit.
inline int StepsBetween(uint32_t from, uint32_t to, int limit = 200000) {
  TRandom random;
  random.RandomSeed = from;
  for (int steps = 0; steps <= limit; ++steps) {
    if (random.RandomSeed == to) return steps;
    random.Random();
  }
  return -1;
}

// A generator that starts where another one stands.
inline TRandom GeneratorAt(uint32_t seed) {
  TRandom random;
  random.RandomSeed = seed;
  return random;
}

inline void Skip(TRandom& random, int draws) {
  for (int i = 0; i < draws; ++i)
    random.Random();
}

// A real landscape with nothing on it: no objects, no scanners, no animations, and a host
// that has recorded nothing yet.
struct TEmptyWorld : TWorldFixture {
  TLandscape& Land;

  explicit TEmptyWorld(int32_t number = 1, int32_t difficulty = 0)
      : Land(MakeLandscape(number, difficulty)) {
    Land.ClearGameObjects();
    ForgetRecords();
  }

  void ForgetRecords() {
    Host.EnergyShown.clear();
    Host.Wakes = Host.MapViewLeft = 0;
    Host.StackHighWater = Host.ScannerHighWater = 0;
    Host.PlayerViews.clear();
    Host.Steps.clear();
    Log.Clear();
  }

  // The lowest flat square of the landscape: flat, and empty after clearing.
  const TSquareEntry& LowSquare() const { return Land.SquaresByHeight(Land.SquareCount); }

  int ShapeCount() const { return Scene.DummyCube2 ? Scene.DummyCube2->Count() : -1; }

  bool IsShapeInScene(const TSceneObject* shape) const {
    for (int i = 0; i < Scene.DummyCube2->Count(); ++i)
      if (Scene.DummyCube2->Child(i) == shape) return true;
    return false;
  }

  int RunningAnimations() const {
    int running = 0;
    for (int slot = 0; slot < AnimationSlots; ++slot)
      if (Land.Animations(slot).Kind != ga_static) ++running;
    return running;
  }

  int UsedScanners() const {
    int used = 0;
    for (int n = 1; n <= MaxScanners; ++n)
      if (Land.Scanners(n).State != ss_Free) ++used;
    return used;
  }
};

// Distinct vertex positions of a mesh, rounded to a micro-unit.
inline std::set<std::tuple<long, long, long>> DistinctPositions(const TMeshObject& mesh) {
  std::set<std::tuple<long, long, long>> positions;
  for (const TMeshVertex& v : mesh.Vertices())
    positions.insert({std::lround(v.Position.x * 1e6), std::lround(v.Position.y * 1e6),
                      std::lround(v.Position.z * 1e6)});
  return positions;
}

}  // namespace orvane::test
