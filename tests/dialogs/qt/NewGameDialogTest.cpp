// The new-game dialog on a real (virtual) display, driven by real key presses, typing and clicks
// (xdotool) and read off the screen: on its own, and as the main window's pause menu.

#include <algorithm>
#include <exception>
#include <functional>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include "GuiWaiting.h"
#include "scene/qt/ScreenPixels.h"

#include "dialogs/qt/NewGameDialog.h"
#include "frontend/Program.h"
#include "frontend/qt/MainWindow.h"

namespace orvane {
namespace {

using test::Control;
using test::WaitFor;

void Xdotool(const QStringList& arguments) {
  EXPECT_EQ(QProcess::execute("xdotool", arguments), 0) << arguments.join(' ').toStdString();
}

// A click at a point of a widget, by default its middle. (A synchronous move would wait for
// ever for a pointer that is already there.)
void Click(const QWidget& widget, QPoint at = QPoint(-1, -1)) {
  const QPoint point = widget.mapToGlobal(at.x() < 0 ? widget.rect().center() : at);
  Xdotool({"mousemove", QString::number(point.x()), QString::number(point.y()), "click", "1"});
}

// Whether the screen shows, over the whole of a window, what the window draws.
bool ScreenShows(QWidget& window) {
  const QImage drawn = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
  return test::ShareDiffering(test::GrabScreen(window, window.rect()), drawn, 8) < 0.02;
}

// Runs `player` once the modal dialog that `opener` opens, at once or through a key, is up and
// active (a timer fires inside the dialog's own loop); a guard closes whatever is still open
// after 30 seconds.
void WhileOpen(const std::function<void()>& opener, const std::function<void(QWidget&)>& player) {
  bool played = false;
  QTimer poll;
  poll.setInterval(50);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) return;
    poll.stop();
    dialog->activateWindow();
    EXPECT_TRUE(WaitFor([&] { return dialog->isActiveWindow(); }));
    player(*dialog);
    played = true;
  });
  poll.start();
  QObject guard;
  QTimer::singleShot(30000, &guard, [] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->done(-2);
  });
  opener();
  EXPECT_TRUE(WaitFor([&] { return played; }, 35000));
}

class NewGameDialog : public ::testing::Test {
 protected:
  NewGameDialog() {
    Program.Settings.ApplyDefaultSettings();
    Dialog.Guard = [this](const std::function<void()>& call) {
      try {
        call();
      } catch (const std::exception& error) {
        Program.Form1.HandleException(error.what());
      }
    };
  }

  TProgram Program;
  TGameSettings& Settings = Program.Settings;
  TNewGameDialog Dialog{Program.DlgNewGame};
};

// Centred and on the screen; the landscape number typed is kept within its range, a lone minus
// is reported and not stored; a box clicked twice is as before; Escape returns to the game.
TEST_F(NewGameDialog, APlayerTypesANumberTicksABoxTwiceAndEscapes) {
  int result = -1;
  WhileOpen(
      [&] { result = Dialog.exec(); },
      [&](QWidget&) {
        EXPECT_EQ(Dialog.size(), QSize(598, 497));
        EXPECT_LE(
            (Dialog.geometry().center() - Dialog.screen()->geometry().center()).manhattanLength(),
            2);
        EXPECT_TRUE(WaitFor([&] { return ScreenShows(Dialog); }));

        auto& number = Control<QLineEdit>(Dialog, "E_S_LandscapeNumber");
        Xdotool({"key", "alt+t"});
        auto& fixed = Control<QCheckBox>(Dialog, "cbLandscapeCode");
        ASSERT_TRUE(WaitFor([&] { return fixed.isVisible(); }));
        Click(fixed);
        ASSERT_TRUE(WaitFor([&] { return number.isEnabled(); }));
        Click(number);
        Xdotool({"key", "ctrl+a"});
        Xdotool({"type", "--delay", "5", "99999999999"});
        EXPECT_TRUE(WaitFor([&] { return number.text() == "2147483647"; }))
            << number.text().toStdString();
        EXPECT_EQ(Settings.GameSpec().S_LandscapeNumber, 2147483647);
        EXPECT_EQ(Program.Log.CountLinesStartingWith("Unexpected Exception: "), 0);
        Xdotool({"key", "ctrl+a", "minus"});
        EXPECT_TRUE(WaitFor(
            [&] { return Program.Log.CountLinesStartingWith("Unexpected Exception: ") == 1; }));
        EXPECT_EQ(number.text(), "-");
        EXPECT_EQ(Settings.GameSpec().S_LandscapeNumber, 2147483647);

        // Alt+C is also "S&can Speed" on the page shown: the tab is clicked.
        const QTabBar& tabs = *Control<QTabWidget>(Dialog, "PageControl").tabBar();
        Click(tabs, tabs.tabRect(1).center());
        auto& reverse = Control<QCheckBox>(Dialog, "CB_CC_ReverseHorizontal");
        ASSERT_TRUE(WaitFor([&] { return reverse.isVisible(); }));
        const bool before = Settings.CC_ReverseHorizontal();
        const QImage unticked = test::GrabScreen(reverse, reverse.rect());
        Click(reverse, QPoint(8, reverse.height() / 2));  // on its box
        EXPECT_TRUE(WaitFor([&] { return Settings.CC_ReverseHorizontal() != before; }));
        EXPECT_TRUE(WaitFor([&] { return test::GrabScreen(reverse, reverse.rect()) != unticked; }));
        Click(reverse, QPoint(8, reverse.height() / 2));  // on its box
        EXPECT_TRUE(WaitFor([&] { return Settings.CC_ReverseHorizontal() == before; }));
        EXPECT_TRUE(WaitFor([&] { return test::GrabScreen(reverse, reverse.rect()) == unticked; }));
        Xdotool({"key", "Escape"});
      });
  EXPECT_EQ(result, nc_Return);
  EXPECT_EQ(Dialog.Choice(), nc_Return);
}

// The share of a picture in the colour of its top left corner, the panel's background: small
// under a landscape seen from above, large around a question mark.
double Background(const QImage& image) {
  const int pixels = image.width() * image.height();
  return pixels ? double(test::PixelsNear(image, image.pixelColor(0, 0), 4)) / pixels : 0.0;
}

// The preview shows New Game's landscape and follows the slider and the "Landscape #" box; a
// campaign is created under the player's name, its first level listed and previewed.
TEST_F(NewGameDialog, ThePreviewFollowsTheSettingsAndACampaignIsCreated) {
  QTemporaryDir folder;
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(folder.path()));
  Settings.ChooseLandscape(2016, 100);
  WhileOpen(
      [&] { Dialog.exec(); },
      [&](QWidget&) {
        QWidget& preview = Control<QWidget>(Dialog, "PreviewPanel");
        // The picture, above its caption.
        const auto shown = [&] {
          return test::GrabScreen(preview, QRect(0, 0, preview.width(), preview.height() / 2));
        };
        ASSERT_TRUE(WaitFor([&] { return ScreenShows(Dialog) && Background(shown()) < 0.6; }));
        const QImage hardest = shown();
        Xdotool({"key", "alt+d", "Home"});  // the difficulty slider to 0
        EXPECT_TRUE(WaitFor([&] { return Settings.GameSpec().S_Difficulty == 0; }));
        EXPECT_TRUE(WaitFor([&] { return test::ShareDiffering(shown(), hardest, 8) > 0.2; }));
        EXPECT_LT(Background(shown()), 0.6);

        Xdotool({"key", "alt+t"});
        auto& fixed = Control<QCheckBox>(Dialog, "cbLandscapeCode");
        ASSERT_TRUE(WaitFor([&] { return fixed.isVisible(); }));
        Click(fixed);  // a random landscape: a question mark
        EXPECT_TRUE(WaitFor([&] { return Background(shown()) > 0.8; }));

        Click(Control(Dialog, "RB_Campaign"));
        Click(Control<QLineEdit>(Dialog, "E_C_PlayerName"));
        Xdotool({"type", "--delay", "5", "Gui/"});
        EXPECT_TRUE(WaitFor([&] { return Settings.GameSpec().C_PlayerName == "Gui"; }));
        QAbstractButton& previous = Control(Dialog, "BtnPreviousCampaign");
        const QImage first = test::GrabScreen(previous, previous.rect());
        Click(Control(Dialog, "BtnCreateCampaign"));
        Click(Control(Dialog, "BtnCreateCampaign"));
        EXPECT_TRUE(WaitFor([] { return QFile::exists("saved/Gui_Campaign1"); }));
        EXPECT_EQ(Settings.GameSpec().C_CampaignNo, 1);
        // "<" can go back to campaign 0 now.
        EXPECT_TRUE(WaitFor([&] { return test::GrabScreen(previous, previous.rect()) != first; }));
        EXPECT_TRUE(WaitFor([&] { return Background(shown()) < 0.6; }));
        Xdotool({"key", "Escape"});
      });
  QDir::setCurrent(previous);
}

// Esc in the main window opens the pause menu, the new-game dialog, while the world runs on; its
// About shows the splash over it, with no timer and no second start-up, until a click closes it,
// and Escape returns to the game.
TEST(NewGameDialogAsPauseMenu, ItsAboutShowsTheSplashOverIt) {
  TProgram program;
  TMainWindow window(program);
  window.show();
  QWidget* splash = nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == "FormSplash") splash = widget;
  ASSERT_NE(splash, nullptr) << "shown at start-up";
  if (splash->isVisible()) Click(*splash);
  ASSERT_TRUE(WaitFor([&] { return !splash->isVisible(); }));

  // Esc in the main window; the world runs on behind the dialog.
  window.activateWindow();
  ASSERT_TRUE(WaitFor([&] { return window.isActiveWindow(); }));
  uint64_t framesAtOpen = 0;
  // Start-up queues the welcome hints.
  auto WelcomeHintsQueued = [&] {
    const auto& queue = program.Form1.HintQueue();
    return std::count(queue.begin(), queue.end(), WelcomeHints[1]);
  };
  long welcomeHints = -1;
  WhileOpen(
      [&] {
        Xdotool({"key", "Escape"});
      },
      [&](QWidget& dialog) {
        framesAtOpen = program.Form1.GLCadencer1.ProgressCount();
        EXPECT_TRUE(WaitFor([&] { return ScreenShows(dialog); }));
        EXPECT_TRUE(Control<QLabel>(dialog, "LabelSuggestion").text().startsWith("GAME PAUSED"));
        const auto& hints = program.Form1.HintQueue();
        EXPECT_NE(std::find(hints.begin(), hints.end(), "AN0Game Paused"), hints.end());
        welcomeHints = WelcomeHintsQueued();
        Click(Control(dialog, "BtnAbout"));
        ASSERT_TRUE(WaitFor([&] { return splash->isVisible(); }));
        EXPECT_FALSE(WaitFor([&] { return !splash->isVisible(); }, 3500)) << "no timer closes it";
        EXPECT_TRUE(WaitFor([&] {
          return test::PixelsNear(test::GrabScreen(*splash, QRect(0, 0, splash->width(), 16)),
                                  QColor(64, 48, 96), 2) == splash->width() * 16;
        }));
        Click(*splash);
        EXPECT_TRUE(WaitFor([&] { return !splash->isVisible(); }));
        dialog.activateWindow();
        EXPECT_TRUE(WaitFor([&] { return dialog.isActiveWindow(); }));
        EXPECT_TRUE(
            WaitFor([&] { return program.Form1.GLCadencer1.ProgressCount() > framesAtOpen + 10; }));
        Xdotool({"key", "Escape"});
      });
  EXPECT_TRUE(WaitFor([&] { return QApplication::activeModalWidget() == nullptr; }));
  for (const std::string& hint : program.Form1.HintQueue())
    EXPECT_NE(hint[1], 'N') << hint;
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(WelcomeHintsQueued(), welcomeHints) << "start-up ran once";
}

}  // namespace
}  // namespace orvane
