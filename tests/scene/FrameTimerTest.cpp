#include <utility>

#include <gtest/gtest.h>

#include "scene/FrameTimer.h"

namespace orvane {
namespace {

// The times are binary fractions, so that the steps' times come out exact.
class FrameTimer : public ::testing::Test {
 protected:
  FrameTimer() {
    Timer.SetClock([this] { return Now; });
    Timer.Enabled = true;
  }
  // Waits, then polls: the step's delta and its time since the base, or {-1, -1} for no step.
  std::pair<double, double> After(double seconds) {
    Now += seconds;
    const auto step = Timer.Poll();
    return step ? std::pair(step->DeltaTime, step->NewTime) : std::pair(-1.0, -1.0);
  }
  const std::pair<double, double> None{-1.0, -1.0};
  double Now = 1000.0;
  TFrameTimer Timer;
};

TEST_F(FrameTimer, StepsComeNoSoonerThanTheMinimumDeltaAndOnlyWhileEnabled) {
  Timer.MinDeltaTime = 0.25;
  EXPECT_EQ(After(0.1875), None);
  EXPECT_EQ(After(0.125), std::pair(0.3125, 0.3125));
  EXPECT_EQ(After(0.25), std::pair(0.25, 0.5625));
  Timer.Enabled = false;
  EXPECT_EQ(After(10.0), None);
  EXPECT_EQ(Timer.ProgressCount(), 2u);
}

TEST_F(FrameTimer, AResetStartsTheClockAgainAtZero) {
  ASSERT_NE(After(5.0), None);
  Now += 0.00390625;
  Timer.ResetTimeBase();
  EXPECT_EQ(After(0.0048828125), None) << "the next delta is measured from the reset";
  EXPECT_EQ(After(0.0048828125), std::pair(0.009765625, 0.009765625));
}

}  // namespace
}  // namespace orvane
