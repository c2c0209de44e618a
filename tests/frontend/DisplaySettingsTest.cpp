#include <regex>
#include <tuple>

#include <gtest/gtest.h>

#include "frontend/FakeWindowSystem.h"
#include "frontend/Program.h"

namespace orvane {
namespace {

class DisplaySettings : public ::testing::Test {
 protected:
  TProgram Program;
  TForm1& Form = Program.Form1;
  TFrameTimer& Timer = Program.Form1.GLCadencer1;
};

TEST_F(DisplaySettings, SleepingSlowsTheTimerOnlyWhenAllowed) {
  double now = 10.0;
  Timer.SetClock([&] { return now; });
  Form.NoSleep = false;
  Timer.Enabled = true;
  now = 12.0;
  Form.SetAsleep(true);
  using TSleep = std::tuple<double, int, uint32_t>;  // the timer's step and sleep, the light
  const auto sleep = [&] {
    return TSleep(Timer.MinDeltaTime, Timer.SleepLength, Form.StatusBar.ActivityColour);
  };
  EXPECT_EQ(sleep(), TSleep(1.0, 2, 0u));
  now = 12.5;
  EXPECT_FALSE(Timer.Poll()) << "the time base was reset on falling asleep";

  Form.Wake();
  EXPECT_EQ(sleep(), TSleep(1.0 / 120, -1, 32768u));

  Form.NoSleep = true;
  Form.SetAsleep(true);
  EXPECT_TRUE(Form.Asleep);
  EXPECT_EQ(sleep(), TSleep(1.0 / 120, -1, 32768u));
}

// Vertical sync reaching the viewer: the main window's test on a display.
TEST_F(DisplaySettings, TheFrameCapAndTheAntiAliasingReachTheViewer) {
  Form.SetMaxFPS(4);
  EXPECT_EQ(Timer.MinDeltaTime, 0.25);
  Form.SetAntiAliasing(aa4x);
  EXPECT_EQ(Program.Scene.GLSceneViewer1.AntiAliasing, aa4x);
}

TEST_F(DisplaySettings, AScreenshotGetsARandomNameFromAFreshSeed) {
  TFakeWindowSystem windows;
  Form.SetWindowSystem(&windows);
  Program.Random.SetClock([] { return 86399999u; });
  Form.TakeScreenshot();
  ASSERT_EQ(windows.Saved.size(), 1u);
  const std::string name = windows.Saved[0];
  EXPECT_TRUE(std::regex_match(name, std::regex("snapshot/(0|[1-9][0-9]{0,7})\\.png"))) << name;
  EXPECT_EQ(Program.Log.GetLines(), std::vector<std::string>{"Screenshot saved as " + name});
  Program.Random.RandomSeed = 5;
  Form.TakeScreenshot();
  EXPECT_EQ(windows.Saved[1], name) << "the same clock gives the same name";

  windows.SaveFails = true;
  EXPECT_ANY_THROW(Form.TakeScreenshot());
  EXPECT_EQ(Program.Log.GetLines().size(), 2u);
}

}  // namespace
}  // namespace orvane
