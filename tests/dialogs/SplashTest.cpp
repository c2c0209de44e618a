// The splash's life: start-up on its first showing only, closed by its timer, a key or a click,
// and at once when its picture is missing.

#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "dialogs/Splash.h"

namespace orvane {
namespace {

struct TRecordingView : TSplashView {
  bool PictureMissing = false;
  bool Open = false;
  std::vector<int> TimersStarted;
  void PaintSplash(int& width, int& height) override {
    if (PictureMissing) throw std::runtime_error("no media/Orvane_Splash1.png");
    width = 448;
    height = 384;
  }
  void CloseSplash() override { Open = false; }
  void StartTimer(int milliseconds) override { TimersStarted.push_back(milliseconds); }
  void StopTimer() override {}
};

class Splash : public ::testing::Test {
 protected:
  Splash() {
    Form.StartUpPending = true;
    Form.OnStartUp = [this] { ++StartUps; };
    Form.OnError = [this](const std::string& message) { Errors.push_back(message); };
  }
  void Show() {
    View.Open = true;
    Form.FormShow(View);
  }

  TFormSplash Form;
  TRecordingView View;
  int StartUps = 0;
  std::vector<std::string> Errors;
};

// The first showing runs start-up and closes after three seconds; the about box, shown later,
// waits for a key or a click.
TEST_F(Splash, StartUpRunsOnTheFirstShowingOnlyAndATimerKeyOrClickCloses) {
  Show();
  EXPECT_EQ(std::tuple(StartUps, View.TimersStarted, Form.TimerEnabled, Form.Painted),
            std::tuple(1, std::vector<int>{3000}, true, true));
  EXPECT_EQ(std::tuple(Form.ImageWidth, Form.ImageHeight), std::tuple(448, 384));
  Form.Timer1Timer(View);
  EXPECT_EQ(std::tuple(View.Open, Form.TimerEnabled), std::tuple(false, false));

  for (void (TFormSplash::*close)(TSplashView&) :
       {&TFormSplash::FormKeyPress, &TFormSplash::FormClick}) {
    Show();
    EXPECT_EQ(std::tuple(StartUps, View.TimersStarted.size(), Form.TimerEnabled, View.Open),
              std::tuple(1, 1u, false, true));
    (Form.*close)(View);
    EXPECT_FALSE(View.Open);
  }
  EXPECT_TRUE(Errors.empty());
}

TEST_F(Splash, AMissingPictureClosesAtOnceAfterStartUpAndIsReported) {
  View.PictureMissing = true;
  Show();
  EXPECT_EQ(std::tuple(StartUps, View.Open, Form.Painted, Form.TimerEnabled),
            std::tuple(1, false, false, false));
  EXPECT_EQ(Errors, std::vector<std::string>{"no media/Orvane_Splash1.png"});
}

}  // namespace
}  // namespace orvane
