#include "world/Random.h"

#include <chrono>

namespace orvane {

TRandom::TRandom() : Clock(MillisecondsOfDayUtc) {}

double TRandom::Random() {
  Step();
  return static_cast<double>(RandomSeed) / 4294967296.0;
}

int32_t TRandom::Random(int32_t N) {
  Step();
  return static_cast<int32_t>((static_cast<int64_t>(N) * static_cast<int64_t>(RandomSeed)) >> 32);
}

void TRandom::Randomize() {
  RandomSeed = Clock();
}

uint32_t TRandom::MillisecondsOfDayUtc() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const auto sinceMidnight = now - floor<days>(now);
  return static_cast<uint32_t>(duration_cast<milliseconds>(sinceMidnight).count());
}

}  // namespace orvane
