// The next-game dialog in a real (virtual) display: it shows what its logic holds, forwards
// keys from anywhere in it, clicks and the check box, closes when the logic closes, shows
// JPEG pictures of our own, and at the end of a landscape runs modally while play goes on.

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include "GuiWaiting.h"

#include "dialogs/NewGame.h"
#include "dialogs/NextGame.h"
#include "dialogs/qt/NextGameDialog.h"
#include "dialogs/qt/ResultPictures.h"
#include "dialogs/settings/GameSettings.h"
#include "frontend/Program.h"
#include "frontend/qt/MainWindow.h"
#include "scene/qt/SceneViewerWidget.h"

namespace orvane {
namespace {

using test::WaitFor;

// A key typed as the window system delivers it: to the widget with the focus, else the dialog.
void TypeKey(QWidget& dialog, char key) {
  QWidget* receiver = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
  const auto code = static_cast<Qt::Key>(key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key);
  QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, QString(QChar(key)));
  QApplication::sendEvent(receiver, &press);
  QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, QString(QChar(key)));
  QApplication::sendEvent(receiver, &release);
}

template <class TWidget>
TWidget& Control(QWidget& dialog, const char* name) {
  auto* widget = dialog.findChild<TWidget*>(name);
  if (!widget) throw std::runtime_error(std::string("no control ") + name);
  return *widget;
}

class NextGameDialog : public ::testing::Test {
 protected:
  NextGameDialog() { Settings.ApplyDefaultSettings(); }

  void ShowResult(bool lost, const std::string& narrative) {
    Logic.LabelNarrative.Caption = narrative;
    Logic.ImageLose.Visible = lost;
    Logic.ImageWin.Visible = !lost;
    Dialog.show();
    EXPECT_TRUE(WaitFor([&] { return Dialog.isVisible(); }));
  }

  TGameSettings Settings;
  TDlgNewGame NewGame{Settings};
  TFormNextGame Logic{NewGame};
  TNextGameDialog Dialog{Logic};
};

// Every caption, check mark and picture as the logic holds it, for a lost and a won game, and
// the dialog in the middle of the screen.
TEST_F(NextGameDialog, ShowsEveryControlAsTheLogicHoldsIt) {
  ShowResult(true, "GAME OVER! Your energy was sapped. Choose a new game below!");
  const QRect screen = Dialog.screen()->geometry();
  EXPECT_LE((Dialog.geometry().center() - screen.center()).manhattanLength(), 2);
  EXPECT_EQ(Dialog.windowTitle().toStdString(), Logic.Caption);
  EXPECT_EQ(Control<QLabel>(Dialog, "LabelNarrative").text(),
            "GAME OVER! Your energy was sapped. Choose a new game below!");
  EXPECT_TRUE(Control<QLabel>(Dialog, "ImageLose").isVisible());
  EXPECT_FALSE(Control<QLabel>(Dialog, "ImageWin").isVisible());
  EXPECT_EQ(Control<QLabel>(Dialog, "ImageLose").pixmap().toImage(),
            LostGamePicture().Image.convertToFormat(QImage::Format_RGB32));
  const std::pair<const char*, const TButtonControl*> buttons[] = {
      {"btnEasier", &Logic.btnEasier},
      {"btnSameAgain", &Logic.btnSameAgain},
      {"btnMoreDifficult", &Logic.btnMoreDifficult},
      {"BtmCustom", &Logic.BtmCustom},
      {"btnExit", &Logic.btnExit}};
  for (const auto& [name, control] : buttons) {
    const auto& button = Control<QAbstractButton>(Dialog, name);
    EXPECT_EQ(button.text().toStdString(), control->Caption) << name;
    EXPECT_EQ(button.isEnabled(), control->Enabled) << name;
  }
  EXPECT_EQ(Control<QCheckBox>(Dialog, "cbLandscapeCode").text().toStdString(),
            Logic.cbLandscapeCode.Caption);
  int titles = 0;
  for (const QLabel* label : Dialog.findChildren<QLabel*>())
    titles += label->text().toStdString() == Logic.ResultTitle.Caption ||
              label->text().toStdString() == Logic.ChoiceTitle.Caption;
  EXPECT_EQ(titles, 2);

  Dialog.hide();
  Logic.BtmCustom.Enabled = !Logic.BtmCustom.Enabled;
  ShowResult(false, "WELL DONE!");
  EXPECT_EQ(Control<QPushButton>(Dialog, "BtmCustom").isEnabled(), Logic.BtmCustom.Enabled);
  EXPECT_TRUE(Control<QLabel>(Dialog, "ImageWin").isVisible());
  EXPECT_FALSE(Control<QLabel>(Dialog, "ImageLose").isVisible());
  EXPECT_EQ(Control<QLabel>(Dialog, "LabelNarrative").text(), "WELL DONE!");
}

TEST_F(NextGameDialog, KeyTwoAnywhereChoosesSameAgainAndCloses) {
  Logic.Choice = 0;
  int result = -1;
  QTimer::singleShot(50, &Dialog, [&] {
    TypeKey(Dialog, 'x');  // does nothing here
    EXPECT_TRUE(Dialog.isVisible());
    Control<QCheckBox>(Dialog, "cbLandscapeCode").setFocus();
    TypeKey(Dialog, '2');
  });
  QTimer::singleShot(3000, &Dialog, [&] { Dialog.done(-2); });  // a guard against hanging
  result = Dialog.exec();
  EXPECT_EQ(result, QDialog::Accepted);
  EXPECT_EQ(Logic.Choice, 2);
  EXPECT_FALSE(Dialog.isVisible());
  EXPECT_FALSE(Logic.ExitRequested);
}

TEST_F(NextGameDialog, KeysOneAndThreeAndTheButtonsChoose) {
  const std::pair<std::function<void()>, int> ways[] = {
      {[&] { TypeKey(Dialog, '1'); }, 1},
      {[&] { TypeKey(Dialog, '3'); }, 3},
      {[&] { Control<QToolButton>(Dialog, "btnEasier").click(); }, 1},
      {[&] { Control<QToolButton>(Dialog, "btnSameAgain").click(); }, 2},
      {[&] { Control<QToolButton>(Dialog, "btnMoreDifficult").click(); }, 3},
  };
  for (const auto& [act, choice] : ways) {
    Logic.Choice = 0;
    QTimer::singleShot(20, &Dialog, act);
    QTimer::singleShot(3000, &Dialog, [&] { Dialog.done(-2); });
    EXPECT_EQ(Dialog.exec(), QDialog::Accepted) << choice;
    EXPECT_EQ(Logic.Choice, choice);
  }
}

TEST_F(NextGameDialog, EscapeDoesNotCloseExitCloses) {
  QTimer::singleShot(20, &Dialog, [&] {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&Dialog, &escape);
  });
  QTimer::singleShot(200, &Dialog, [&] {
    EXPECT_TRUE(Dialog.isVisible()) << "Escape closed the dialog";
    Control<QPushButton>(Dialog, "btnExit").click();
  });
  QTimer::singleShot(3000, &Dialog, [&] { Dialog.done(-2); });
  EXPECT_EQ(Dialog.exec(), QDialog::Rejected);
  EXPECT_TRUE(Logic.ExitRequested);
}

TEST_F(NextGameDialog, TheCheckBoxFollowsSameLandscape) {
  NewGame.cbLandscapeCodeClick();  // the landscape number fixed in the new-game dialog
  ASSERT_TRUE(NewGame.cbLandscapeCode.Checked);
  ShowResult(true, "");
  QCheckBox& box = Control<QCheckBox>(Dialog, "cbLandscapeCode");
  EXPECT_TRUE(Logic.SameLandscape()) << "taken from the new-game dialog when shown";
  EXPECT_TRUE(box.isChecked());

  box.click();
  EXPECT_FALSE(Logic.SameLandscape());
  EXPECT_FALSE(box.isChecked());
  EXPECT_FALSE(NewGame.cbLandscapeCode.Checked);
  EXPECT_FALSE(Settings.GameSpec().LandscapeFixed);

  Logic.SetSameLandscape(true);
  EXPECT_TRUE(WaitFor([&] { return box.isChecked(); })) << "shown while the dialog is open";
  EXPECT_TRUE(NewGame.cbLandscapeCode.Checked);
}

TEST_F(NextGameDialog, ClosesWhenTheLogicIsClosedElsewhere) {
  QTimer::singleShot(50, &Dialog, [&] { Logic.btnSameAgainClick(); });
  QTimer::singleShot(3000, &Dialog, [&] { Dialog.done(-2); });
  EXPECT_EQ(Dialog.exec(), QDialog::Accepted);
}

TEST(ResultPictures, AreJpegImagesShownAsRead) {
  for (const TJpegPicture* picture : {&WonGamePicture(), &LostGamePicture()}) {
    const QByteArray& jpeg = picture->Jpeg;
    ASSERT_GT(jpeg.size(), 4);
    EXPECT_EQ(static_cast<uint8_t>(jpeg[0]), 0xFF);
    EXPECT_EQ(static_cast<uint8_t>(jpeg[1]), 0xD8);
    EXPECT_EQ(static_cast<uint8_t>(jpeg[jpeg.size() - 2]), 0xFF);
    EXPECT_EQ(static_cast<uint8_t>(jpeg[jpeg.size() - 1]), 0xD9);
    EXPECT_FALSE(picture->Image.isNull());
    EXPECT_EQ(picture->Image, QImage::fromData(jpeg, "JPG")) << "the image is the file read back";
  }
  EXPECT_NE(WonGamePicture().Jpeg, LostGamePicture().Jpeg);
}

// The average colour of a picture.
QColor Average(const QImage& image) {
  long r = 0, g = 0, b = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      r += c.red();
      g += c.green();
      b += c.blue();
    }
  const long n = long(image.width()) * image.height();
  return QColor(int(r / n), int(g / n), int(b / n));
}

TEST(ResultPictures, TheWinIsGoldenAndTheLossRed) {
  const QColor won = Average(WonGamePicture().Image);
  EXPECT_GT(won.red(), 150);
  EXPECT_GT(won.green(), 100);
  EXPECT_LT(won.blue(), won.green());
  const QColor lost = Average(LostGamePicture().Image);
  EXPECT_GT(lost.red(), 2 * lost.green());
  EXPECT_GT(lost.red(), 2 * lost.blue());
}

// At the end of a landscape the game shows the dialog modally through the main window; the
// frame timer fires on behind it, and Exit closes the main window.
class NextGameAtGameEnd : public ::testing::Test {
 protected:
  NextGameAtGameEnd() {
    Window.resize(541, 386);
    Window.show();
    EXPECT_TRUE(WaitFor([&] { return Window.Viewer().FramesDrawn() > 2; }));
  }

  // Ends the landscape as lost and, once the dialog is open, runs the given action in it.
  void LoseAndThen(const std::function<void(TNextGameDialog&)>& act) {
    QTimer::singleShot(100, &Window, [&, act] {
      auto* dialog = dynamic_cast<TNextGameDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      Opened = true;
      Narrative = Control<QLabel>(*dialog, "LabelNarrative").text();
      LosePictureShown = Control<QLabel>(*dialog, "ImageLose").isVisible();
      TicksBefore = Program.Form1.GLCadencer1.ProgressCount();
      QTimer::singleShot(300, dialog, [&, dialog, act] {
        TicksDuring = Program.Form1.GLCadencer1.ProgressCount() - TicksBefore;
        act(*dialog);
      });
    });
    QTimer::singleShot(5000, &Window, [] {  // a guard against hanging
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
        dialog->done(-2);
    });
    Program.Form1.Simulation->GameEnd(true);
  }

  TProgram Program;
  TMainWindow Window{Program};
  bool Opened = false;
  QString Narrative;
  bool LosePictureShown = false;
  uint64_t TicksBefore = 0;
  uint64_t TicksDuring = 0;
};

TEST_F(NextGameAtGameEnd, AChoiceMakesTheNextLandscapeWhilePlayWentOn) {
  Program.Settings.gs_S_Difficulty(50);
  LoseAndThen([](TNextGameDialog& dialog) { TypeKey(dialog, '3'); });
  EXPECT_TRUE(Opened);
  EXPECT_EQ(Narrative, "GAME OVER! Your energy was sapped. Choose a new game below!");
  EXPECT_TRUE(LosePictureShown);
  EXPECT_GT(TicksDuring, 5u) << "the frame timer fires behind the dialog";
  EXPECT_EQ(Program.Settings.GameSpec().S_Difficulty, 52);
  EXPECT_EQ(Program.Form1.FormNextGame.Choice, 3);
  EXPECT_TRUE(Window.isVisible());
}

TEST_F(NextGameAtGameEnd, ExitClosesTheMainWindow) {
  LoseAndThen([](TNextGameDialog& dialog) { Control<QPushButton>(dialog, "btnExit").click(); });
  EXPECT_TRUE(Opened);
  EXPECT_TRUE(Program.Form1.FormNextGame.ExitRequested);
  EXPECT_FALSE(Window.isVisible());
  EXPECT_FALSE(Program.Form1.GLCadencer1.Enabled);
}

}  // namespace
}  // namespace orvane
