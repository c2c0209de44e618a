#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace orvane {

// One step of the frame timer: seconds since the previous step (or since the time base was
// reset), and the timer's clock, in seconds since its time base.
struct TFrameProgress {
  double DeltaTime = 0.0;
  double NewTime = 0.0;
};

// The frame timer GLCadencer1 as logic: the window system polls it from its idle processing
// and, when a step is due, runs the frame and redraws. No step comes sooner than MinDeltaTime
// after the last one.
class TFrameTimer {
 public:
  TFrameTimer();

  bool Enabled = false;
  // The least time between two steps, in seconds.
  double MinDeltaTime = 1.0 / 120;
  // How long the idle loop sleeps between checks, in milliseconds; -1 for not at all.
  int SleepLength = -1;

  // The clock starts again at zero from this moment; the next delta is measured from it.
  void ResetTimeBase();
  // A step when the timer is enabled and at least MinDeltaTime has passed since the last one.
  std::optional<TFrameProgress> Poll();
  // Seconds until a step is due (0 when it is due now); meaningful only while enabled.
  double TimeUntilDue() const;
  // Seconds since the time base.
  double CurrentTime() const;

  // The clock read by the timer, in seconds from any fixed origin; the default is a steady
  // clock. Replacing it resets the time base.
  void SetClock(std::function<double()> secondsNow);
  uint64_t ProgressCount() const { return Progresses; }

 private:
  std::function<double()> Clock;
  double TimeBase = 0.0;
  double LastProgress = 0.0;
  uint64_t Progresses = 0;
};

}  // namespace orvane
