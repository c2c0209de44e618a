#include "scene/FrameTimer.h"

#include <algorithm>
#include <chrono>

namespace orvane {

namespace {

double SteadySeconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

TFrameTimer::TFrameTimer() : Clock(SteadySeconds) {
  ResetTimeBase();
}

void TFrameTimer::ResetTimeBase() {
  TimeBase = Clock();
  LastProgress = TimeBase;
}

std::optional<TFrameProgress> TFrameTimer::Poll() {
  if (!Enabled) return std::nullopt;
  const double now = Clock();
  const double delta = now - LastProgress;
  if (delta < MinDeltaTime) return std::nullopt;
  LastProgress = now;
  ++Progresses;
  return TFrameProgress{delta, now - TimeBase};
}

double TFrameTimer::TimeUntilDue() const {
  return std::max(0.0, MinDeltaTime - (Clock() - LastProgress));
}

double TFrameTimer::CurrentTime() const {
  return Clock() - TimeBase;
}

void TFrameTimer::SetClock(std::function<double()> secondsNow) {
  Clock = secondsNow ? std::move(secondsNow) : std::function<double()>(SteadySeconds);
  ResetTimeBase();
}

}  // namespace orvane
