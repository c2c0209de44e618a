#include "world/Random.h"

#include <chrono>

namespace orvane {

TRandom::TRandom() : Clock(MillisecondsOfDayUtc) {}

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
