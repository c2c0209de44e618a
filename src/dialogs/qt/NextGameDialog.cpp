#include "dialogs/qt/NextGameDialog.h"

#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include "dialogs/qt/ResultPictures.h"
#include "dialogs/qt/Strips.h"

namespace orvane {

namespace {

// The layout, in client pixels.
constexpr int Margin = 4;
constexpr int StripWidth = TNextGameDialog::ClientWidth - 2 * Margin;
constexpr int TitleHeight = StripTitleHeight;
constexpr int ResultStripTop = Margin;
constexpr int ResultStripHeight = 134;
constexpr int PictureLeft = 6;
constexpr int PictureTop = TitleHeight + 8;
constexpr int NarrativeLeft = PictureLeft + ResultPictureSize + 6;
constexpr int ChoiceStripTop = ResultStripTop + ResultStripHeight + 6;
constexpr int ChoiceStripHeight = 172;
constexpr int ChoiceWidth = 242;
constexpr int ChoiceHeight = 33;
constexpr int ChoiceLeft = (StripWidth - ChoiceWidth) / 2;
constexpr int ChoiceTop = TitleHeight + 8;
constexpr int ChoiceGap = 3;
constexpr int BottomWidth = 81;
constexpr int BottomHeight = 25;
constexpr int BottomTop = TNextGameDialog::ClientHeight - Margin - 8 - BottomHeight;
constexpr int WatchIntervalMs = 50;

// A strip across the dialog; the logic holds its title's text.
TStrip Strip(QWidget* parent, int top, int height) {
  return TitledStrip(parent, QRect(Margin, top, StripWidth, height));
}

QLabel* Picture(QWidget* parent, const char* name, const TJpegPicture& picture) {
  auto* image = new QLabel(parent);
  image->setObjectName(name);
  image->setGeometry(PictureLeft, PictureTop, ResultPictureSize, ResultPictureSize);
  image->setPixmap(QPixmap::fromImage(picture.Image));
  image->hide();
  return image;
}

QToolButton* ChoiceButton(QWidget* parent, const char* name, int index) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setAutoRaise(true);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  button->setFocusPolicy(Qt::StrongFocus);
  button->setGeometry(ChoiceLeft, ChoiceTop + index * (ChoiceHeight + ChoiceGap), ChoiceWidth,
                      ChoiceHeight);
  QFont font = button->font();
  font.setBold(true);
  button->setFont(font);
  return button;
}

void Show(QAbstractButton* button, const TButtonControl& control) {
  button->setText(Text(control.Caption));
  button->setEnabled(control.Enabled);
}

}  // namespace

TNextGameDialog::TNextGameDialog(TFormNextGame& logic, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), Logic(logic), Watch(new QTimer(this)) {
  setObjectName("FormNextGame");
  setFixedSize(ClientWidth, ClientHeight);
  BuildResultStrip();
  BuildChoiceStrip();
  BuildBottom();
  installEventFilter(this);
  for (QWidget* child : findChildren<QWidget*>())
    child->installEventFilter(this);
  connect(Watch, &QTimer::timeout, this, [this] { Refresh(); });
  Refresh();
}

void TNextGameDialog::BuildResultStrip() {
  const auto [strip, title] = Strip(this, ResultStripTop, ResultStripHeight);
  ResultTitle = title;
  ImageWin = Picture(strip, "ImageWin", WonGamePicture());
  ImageLose = Picture(strip, "ImageLose", LostGamePicture());
  LabelNarrative = new QLabel(strip);
  LabelNarrative->setObjectName("LabelNarrative");
  LabelNarrative->setWordWrap(true);
  LabelNarrative->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  LabelNarrative->setGeometry(NarrativeLeft, PictureTop, StripWidth - NarrativeLeft - 6,
                              ResultPictureSize);
}

void TNextGameDialog::BuildChoiceStrip() {
  const auto [strip, title] = Strip(this, ChoiceStripTop, ChoiceStripHeight);
  ChoiceTitle = title;
  btnEasier = ChoiceButton(strip, "btnEasier", 0);
  btnSameAgain = ChoiceButton(strip, "btnSameAgain", 1);
  btnMoreDifficult = ChoiceButton(strip, "btnMoreDifficult", 2);
  ConnectClick(btnEasier, &TFormNextGame::btnEasierClick);
  ConnectClick(btnSameAgain, &TFormNextGame::btnSameAgainClick);
  ConnectClick(btnMoreDifficult, &TFormNextGame::btnMoreDifficultClick);
  cbLandscapeCode = new QCheckBox(strip);
  cbLandscapeCode->setObjectName("cbLandscapeCode");
  cbLandscapeCode->setGeometry(ChoiceLeft, ChoiceTop + 3 * (ChoiceHeight + ChoiceGap) + 6,
                               ChoiceWidth, 22);
  ConnectClick(cbLandscapeCode, &TFormNextGame::cbLandscapeCodeClick);
}

void TNextGameDialog::BuildBottom() {
  BtmCustom = new QPushButton(this);
  BtmCustom->setObjectName("BtmCustom");
  BtmCustom->setGeometry(Margin + ChoiceLeft, BottomTop, BottomWidth, BottomHeight);
  BtmCustom->setAutoDefault(false);
  connect(BtmCustom, &QPushButton::clicked, this, [this] {
    if (OnConfigure) Call(OnConfigure);
    Refresh();
  });
  btnExit = new QPushButton(this);
  btnExit->setObjectName("btnExit");
  btnExit->setGeometry(Margin + ChoiceLeft + ChoiceWidth - BottomWidth, BottomTop, BottomWidth,
                       BottomHeight);
  btnExit->setAutoDefault(false);
  ConnectClick(btnExit, &TFormNextGame::btnExitClick);
}

void TNextGameDialog::ConnectClick(QAbstractButton* button, void (TFormNextGame::*handler)()) {
  connect(button, &QAbstractButton::clicked, this, [this, handler] { Forward(handler); });
}

void TNextGameDialog::Call(const std::function<void()>& call) {
  if (Guard)
    Guard(call);
  else
    call();
}

void TNextGameDialog::Forward(void (TFormNextGame::*handler)()) {
  Call([this, handler] { (Logic.*handler)(); });
  Refresh();
}

void TNextGameDialog::Refresh() {
  setWindowTitle(Text(Logic.Caption));
  ResultTitle->setText(Text(Logic.ResultTitle.Caption));
  ImageWin->setVisible(Logic.ImageWin.Visible);
  ImageLose->setVisible(Logic.ImageLose.Visible);
  LabelNarrative->setText(Text(Logic.LabelNarrative.Caption));
  ChoiceTitle->setText(Text(Logic.ChoiceTitle.Caption));
  Show(btnEasier, Logic.btnEasier);
  Show(btnSameAgain, Logic.btnSameAgain);
  Show(btnMoreDifficult, Logic.btnMoreDifficult);
  cbLandscapeCode->setText(Text(Logic.cbLandscapeCode.Caption));
  cbLandscapeCode->setChecked(Logic.cbLandscapeCode.Checked);
  cbLandscapeCode->setEnabled(Logic.cbLandscapeCode.Enabled);
  Show(BtmCustom, Logic.BtmCustom);
  Show(btnExit, Logic.btnExit);
  if (Logic.Closed() && isVisible())
    done(Logic.ModalResult == mr_Ok ? QDialog::Accepted : QDialog::Rejected);
}

void TNextGameDialog::reject() {
  if (Logic.Closed()) QDialog::reject();
}

void TNextGameDialog::showEvent(QShowEvent* event) {
  Call([this] { Logic.FormShow(); });
  CentreOnScreen();
  QDialog::showEvent(event);
  Watch->start(WatchIntervalMs);
  Refresh();
}

void TNextGameDialog::hideEvent(QHideEvent* event) {
  Watch->stop();
  QDialog::hideEvent(event);
}

void TNextGameDialog::CentreOnScreen() {
  const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
  if (!screen) return;
  const QRect area = screen->geometry();
  move(area.center() - QPoint(ClientWidth / 2, ClientHeight / 2));
}

// A key goes first to the widget with the focus, or to the dialog when none has it; it is
// handed to the logic there, before that widget sees it, and not again on its way up.
QObject* TNextGameDialog::FirstReceiverOfKeys() {
  QWidget* focus = focusWidget();
  return focus ? static_cast<QObject*>(focus) : this;
}

bool TNextGameDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && watched == FirstReceiverOfKeys()) {
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (text.size() == 1 && text.at(0).unicode() < 128) {
      const char key = static_cast<char>(text.at(0).unicode());
      Call([this, key] { Logic.FormKeyPress(key); });
      Refresh();
      if (Logic.Closed()) return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace orvane
