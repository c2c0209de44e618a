#pragma once

// Helpers shared by the tests of stacks, objects, shapes, energy and animations.

#include <cstdint>

#include "WorldFixture.h"

namespace orvane::test {

// How many draws take the generator from one seed to another; -1 when not within the limit.
inline int StepsBetween(uint32_t from, uint32_t to, int limit = 400000) {
  TRandom random;
  random.RandomSeed = from;
  for (int steps = 0; steps <= limit; ++steps, random.Random())
    if (random.RandomSeed == to) return steps;
  return -1;
}

// How many animation slots run (of one kind, or of any kind for ga_static).
inline int Running(const TLandscape& land, TAnimationKind kind = ga_static) {
  int count = 0;
  for (int slot = 0; slot < AnimationSlots; ++slot)
    count += kind == ga_static ? land.Animations(slot).Kind != ga_static
                               : land.Animations(slot).Kind == kind;
  return count;
}

inline int UsedScanners(const TLandscape& land) {
  int used = 0;
  for (int n = 1; n <= MaxScanners; ++n)
    used += land.Scanners(n).State != ss_Free;
  return used;
}

// A real landscape with nothing on it, and a host and a simulation that have recorded nothing
// yet.
struct TEmptyWorld : TWorldFixture {
  TLandscape& Land;

  explicit TEmptyWorld(int32_t number = 1, int32_t difficulty = 0)
      : Land(MakeLandscape(number, difficulty)) {
    Land.ClearGameObjects();
    Host = TRecordingHost{};
    Simulation = TRecordingSimulation{};
    Log.Clear();
  }

  // The lowest flat square: flat, and empty after clearing.
  const TSquareEntry& LowSquare() const { return Land.SquaresByHeight(Land.SquareCount); }
  int ShapeCount() const { return Scene.DummyCube2->Count(); }
};

}  // namespace orvane::test
