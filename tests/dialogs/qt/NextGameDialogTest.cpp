// The next-game dialog in a real (virtual) display: it shows what its logic holds, forwards
// keys from anywhere in it, clicks and the check box, closes when the logic closes, and shows
// JPEG pictures of our own. At the end of a landscape: MainWindowTest.

#include <functional>
#include <stdexcept>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include "GuiWaiting.h"

#include "console/Log.h"
#include "dialogs/NewGame.h"
#include "dialogs/NextGame.h"
#include "dialogs/qt/NextGameDialog.h"
#include "dialogs/qt/ResultPictures.h"
#include "dialogs/settings/GameSettings.h"

namespace orvane {
namespace {

using test::Control;
using test::WaitFor;

// A key typed as the window system delivers it: to the widget with the focus, else the dialog.
void TypeKey(QWidget& dialog, char key) {
  QWidget* receiver = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
  const auto code = static_cast<Qt::Key>(key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key);
  QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, QString(QChar(key)));
  QApplication::sendEvent(receiver, &press);
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
  TLog Log;
  TDlgNewGame NewGame{Settings, Log};
  TFormNextGame Logic{NewGame};
  TNextGameDialog Dialog{Logic};
};

TEST_F(NextGameDialog, ShowsEveryControlAsTheLogicHoldsItInTheMiddleOfTheScreen) {
  for (const bool lost : {true, false}) {
    Dialog.hide();
    Logic.BtmCustom.Enabled = lost;
    ShowResult(lost, lost ? "LOST" : "WON");
    EXPECT_EQ(Control<QLabel>(Dialog, "LabelNarrative").text(), lost ? "LOST" : "WON");
    EXPECT_EQ(Control<QLabel>(Dialog, "ImageLose").isVisible(), lost);
    EXPECT_EQ(Control<QLabel>(Dialog, "ImageWin").isVisible(), !lost);
    EXPECT_EQ(Control(Dialog, "BtmCustom").isEnabled(), lost);
  }
  EXPECT_LE((Dialog.geometry().center() - Dialog.screen()->geometry().center()).manhattanLength(),
            2);
  EXPECT_EQ(Dialog.windowTitle().toStdString(), Logic.Caption);
  EXPECT_EQ(Control<QLabel>(Dialog, "ImageLose").pixmap().toImage(),
            LostGamePicture().Image.convertToFormat(QImage::Format_RGB32));
  const std::pair<const char*, const std::string&> buttons[] = {
      {"btnEasier", Logic.btnEasier.Caption},
      {"btnSameAgain", Logic.btnSameAgain.Caption},
      {"btnMoreDifficult", Logic.btnMoreDifficult.Caption},
      {"cbLandscapeCode", Logic.cbLandscapeCode.Caption},
      {"BtmCustom", Logic.BtmCustom.Caption},
      {"btnExit", Logic.btnExit.Caption}};
  for (const auto& [name, caption] : buttons)
    EXPECT_EQ(Control(Dialog, name).text().toStdString(), caption) << name;
  int titles = 0;
  for (const QLabel* label : Dialog.findChildren<QLabel*>())
    titles += label->text().toStdString() == Logic.ResultTitle.Caption ||
              label->text().toStdString() == Logic.ChoiceTitle.Caption;
  EXPECT_EQ(titles, 2);
}

// A key pressed where the focus is, a click, the logic closed elsewhere (a console command):
// each closes the dialog with its choice. Escape does not close it; Exit does.
TEST_F(NextGameDialog, KeysFromAnywhereClicksAndTheLogicCloseIt) {
  const std::tuple<std::function<void()>, int, int> ways[] = {
      {[&] {
         TypeKey(Dialog, 'x');  // does nothing here
         Control<QCheckBox>(Dialog, "cbLandscapeCode").setFocus();
         TypeKey(Dialog, '2');
       },
       QDialog::Accepted, 2},
      {[&] { Control(Dialog, "btnEasier").click(); }, QDialog::Accepted, 1},
      {[&] { Control(Dialog, "btnSameAgain").click(); }, QDialog::Accepted, 2},
      {[&] { Logic.btnSameAgainClick(); }, QDialog::Accepted, 2},
      {[&] {
         QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
         QApplication::sendEvent(&Dialog, &escape);
         EXPECT_TRUE(Dialog.isVisible()) << "Escape closed the dialog";
         Control(Dialog, "btnExit").click();
       },
       QDialog::Rejected, 0}};
  for (const auto& [act, result, choice] : ways) {
    Logic.Choice = 0;
    QObject guard;
    QTimer::singleShot(50, &guard, act);
    QTimer::singleShot(3000, &guard, [&] { Dialog.done(-2); });
    EXPECT_EQ(Dialog.exec(), result) << choice;
    EXPECT_EQ(Logic.Choice, choice);
  }
}

TEST_F(NextGameDialog, TheCheckBoxForwardsItsClickAndShowsTheLogic) {
  NewGame.cbLandscapeCodeClick();  // the landscape number fixed in the new-game dialog
  ShowResult(true, "");
  QCheckBox& box = Control<QCheckBox>(Dialog, "cbLandscapeCode");
  EXPECT_TRUE(box.isChecked()) << "taken from the new-game dialog when shown";
  box.click();
  EXPECT_FALSE(Logic.SameLandscape());
  EXPECT_FALSE(box.isChecked());
  Logic.SetSameLandscape(true);
  EXPECT_TRUE(WaitFor([&] { return box.isChecked(); })) << "shown while the dialog is open";
}

// Each picture is the image its JPEG file holds; the win is golden, the loss red.
TEST(ResultPictures, AreJpegImagesOfAGoldenWinAndARedLoss) {
  for (const TJpegPicture* picture : {&WonGamePicture(), &LostGamePicture()}) {
    EXPECT_TRUE(picture->Jpeg.startsWith("\xFF\xD8")) << "a JPEG file";
    EXPECT_FALSE(picture->Image.isNull());
    EXPECT_EQ(picture->Image, QImage::fromData(picture->Jpeg, "JPG"));
  }
  auto average = [](const QImage& image) {
    return image.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixelColor(0, 0);
  };
  const QColor won = average(WonGamePicture().Image);
  EXPECT_GT(won.red(), 150);
  EXPECT_GT(won.green(), 100);
  EXPECT_LT(won.blue(), won.green());
  const QColor lost = average(LostGamePicture().Image);
  EXPECT_GT(lost.red(), 2 * lost.green());
  EXPECT_GT(lost.red(), 2 * lost.blue());
}

}  // namespace
}  // namespace orvane
