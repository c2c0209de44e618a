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
  double Random();            // in [0, 1)
  int32_t Random(int32_t N);  // in 0 .. N-1; 0 when N is 0
  void Randomize();           // seeds from the clock

  void SetClock(TClock clock) { Clock = std::move(clock); }
  static uint32_t MillisecondsOfDayUtc();

  uint32_t RandomSeed = 0;

 private:
  void Step() { RandomSeed = RandomSeed * 134775813u + 1u; }
  TClock Clock;
};

}  // namespace orvane
