// The splash window on a real (virtual) display: the picture on its coloured border in the
// middle of the screen, closed by a key or a click, or at once without its picture.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include "GuiWaiting.h"
#include "scene/qt/ScreenPixels.h"

#include "dialogs/Splash.h"
#include "dialogs/qt/SplashWindow.h"

namespace orvane {
namespace {

using test::WaitFor;

const QColor BorderColour(64, 48, 96);

class SplashWindow : public ::testing::Test {
 protected:
  SplashWindow() {
    Logic.OnStartUp = [this] { ++StartUps; };
    Logic.OnError = [this](const std::string& message) { Errors.push_back(message); };
  }

  // Whether the screen shows the border all round the picture, and the picture's top band.
  bool ScreenShowsTheSplash() {
    const QImage screen = test::GrabScreen(Window, Window.rect());
    const int border = TSplashWindow::Border;
    const int borderPixels = screen.width() * screen.height() - Picture.width() * Picture.height();
    const QImage title = screen.copy(border, border, Picture.width(), 60);
    return test::PixelsNear(screen, BorderColour, 2) >= borderPixels &&
           title == Picture.copy(0, 0, Picture.width(), 60).convertToFormat(QImage::Format_RGB32);
  }

  const QImage Picture{TFormSplash::PictureFile};
  TFormSplash Logic;
  TSplashWindow Window;
  int StartUps = 0;
  std::vector<std::string> Errors;
};

// Centred with a 16-pixel border round the picture; the start-up showing runs start-up and a
// key closes it before its three seconds are up.
TEST_F(SplashWindow, TheFirstShowingIsCentredRunsStartUpAndAKeyClosesIt) {
  ASSERT_FALSE(Picture.isNull());
  EXPECT_NEAR(Picture.width(), 440, 40);
  Logic.StartUpPending = true;
  QElapsedTimer shown;
  shown.start();
  Window.ShowSplash(Logic);
  EXPECT_EQ(StartUps, 1);
  EXPECT_EQ(Window.size(), Picture.size() + QSize(32, 32));
  const QRect screen = Window.screen()->geometry();
  EXPECT_EQ(Window.pos(), QPoint(screen.width() / 2 - Window.width() / 2,
                                 screen.height() / 2 - Window.height() / 2));
  EXPECT_TRUE(WaitFor([&] { return ScreenShowsTheSplash(); }));
  ASSERT_TRUE(WaitFor([&] { return Window.isActiveWindow(); }));
  ASSERT_EQ(QProcess::execute("xdotool", {"key", "space"}), 0);
  EXPECT_TRUE(WaitFor([&] { return !Window.isVisible(); }));
  EXPECT_LT(shown.elapsed(), 2500);
  EXPECT_TRUE(Errors.empty());
}

// From a folder without the picture: start-up runs, the window closes at once, nothing of it
// is on the screen and the failure names the file.
TEST_F(SplashWindow, WithoutItsPictureItShowsNothingAndClosesAtOnce) {
  namespace fs = std::filesystem;
  const fs::path previous = fs::current_path();
  fs::current_path(fs::temp_directory_path());
  Logic.StartUpPending = true;
  Window.ShowSplash(Logic);
  fs::current_path(previous);
  EXPECT_FALSE(Window.isVisible());
  EXPECT_EQ(StartUps, 1);
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_NE(Errors[0].find(TFormSplash::PictureFile), std::string::npos) << Errors[0];
  QApplication::processEvents();
  const QRect screen = Window.screen()->geometry();
  const QImage middle =
      Window.screen()
          ->grabWindow(0, screen.center().x() - 100, screen.center().y() - 100, 200, 200)
          .toImage();
  EXPECT_EQ(test::PixelsNear(middle, BorderColour, 2), 0);
}

}  // namespace
}  // namespace orvane
