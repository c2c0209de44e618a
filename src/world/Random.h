#pragma once

#include <cstdint>
#include <functional>

namespace orvane {

// The one random generator of the program. The order of its draws is part of the game:
// a landscape number replays the same landscape only when every draw happens in its place.
class TRandom {
 public:
  // Milliseconds since midnight, UTC; replaceable so that tests can fix the clock.
  using TClock = std::function<uint32_t()>;

  TRandom();

  // Each draw first steps the seed: RandomSeed := RandomSeed * 134775813 + 1 (mod 2^32).
  double Random() {  // in [0, 1)
    Step();
    return static_cast<double>(RandomSeed) / 4294967296.0;
  }
  int32_t Random(int32_t N) {  // in 0 .. N-1; 0 when N is 0
    Step();
    return Scaled(N, RandomSeed);
  }
  void Randomize();  // seeds from the clock

  void SetClock(TClock clock) { Clock = std::move(clock); }
  static uint32_t MillisecondsOfDayUtc();

  uint32_t RandomSeed = 0;

  // The step, for loops that work out many draws ahead: seed := seed * Multiplier + Increment.
  static constexpr uint32_t Multiplier = 134775813u;
  static constexpr uint32_t Increment = 1u;
  // What Random(N) gives when the step has brought the seed to `seed`.
  static int32_t Scaled(int32_t N, uint32_t seed) {
    return static_cast<int32_t>((static_cast<int64_t>(N) * static_cast<int64_t>(seed)) >> 32);
  }

 private:
  void Step() { RandomSeed = RandomSeed * Multiplier + Increment; }
  TClock Clock;
};

}  // namespace orvane
