#include <gtest/gtest.h>

#include "scene/FrameTimer.h"

namespace orvane {
namespace {

class FrameTimer : public ::testing::Test {
 protected:
  FrameTimer() {
    Timer.SetClock([this] { return Now; });
    Timer.Enabled = true;
  }
  double Now = 1000.0;
  TFrameTimer Timer;
};

TEST_F(FrameTimer, StepsComeNoSoonerThanTheMinimumDeltaAndOnlyWhileEnabled) {
  Timer.MinDeltaTime = 0.25;
  Now += 0.2;
  EXPECT_FALSE(Timer.Poll());
  Now += 0.1;
  auto step = Timer.Poll();
  ASSERT_TRUE(step);
  EXPECT_NEAR(step->DeltaTime, 0.3, 1e-9);
  EXPECT_NEAR(step->NewTime, 0.3, 1e-9);
  Now += 0.25;
  step = Timer.Poll();
  ASSERT_TRUE(step);
  EXPECT_NEAR(step->DeltaTime, 0.25, 1e-9);
  EXPECT_NEAR(step->NewTime, 0.55, 1e-9);
  EXPECT_EQ(Timer.ProgressCount(), 2u);

  Timer.Enabled = false;
  Now += 10.0;
  EXPECT_FALSE(Timer.Poll());
  EXPECT_EQ(Timer.ProgressCount(), 2u);
}

TEST_F(FrameTimer, AResetStartsTheClockAgainAtZero) {
  Now += 5.0;
  ASSERT_TRUE(Timer.Poll());
  Now += 0.004;
  Timer.ResetTimeBase();
  Now += 0.005;
  EXPECT_FALSE(Timer.Poll()) << "the next delta is measured from the reset";
  Now += 0.005;
  const auto step = Timer.Poll();
  ASSERT_TRUE(step);
  EXPECT_NEAR(step->NewTime, 0.01, 1e-9);
  EXPECT_NEAR(step->DeltaTime, 0.01, 1e-9);
}

}  // namespace
}  // namespace orvane
