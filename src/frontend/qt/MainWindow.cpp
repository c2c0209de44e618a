#include "frontend/qt/MainWindow.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <memory>
#include <stdexcept>

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

#include "dialogs/qt/NewGameDialog.h"
#include "dialogs/qt/NextGameDialog.h"
#include "dialogs/qt/SplashWindow.h"
#include "frontend/qt/HintPanelWidget.h"
#include "frontend/qt/Pictures.h"
#include "frontend/qt/StatusBarWidget.h"
#include "frontend/qt/VirtualKeys.h"
#include "scene/qt/SceneViewerWidget.h"

namespace orvane {

namespace {
constexpr int DesignClientWidth = 541;
constexpr int DesignClientHeight = 386;
// How long a progress waits for its redraw (a hidden view never draws).
constexpr int LongestWaitForFrameMs = 100;
}  // namespace

TMainWindow::TMainWindow(TProgram& program)
    : Program(program), Form(program.Form1), FrameDriver(new QTimer(this)) {
  setWindowTitle("Orvane");
  setMinimumSize(120, 100);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::black);
  setPalette(palette);

  ViewerWidget = new TSceneViewerWidget(Program.Scene, this);
  ViewerWidget->SetViewCursor(CrossHairCursor());
  StatusBarView = new TStatusBarWidget(Form.StatusBar, this);
  StatusBarView->OnLabel1Click = [this] { Guard([this] { Form.Label1Click(); }); };
  HintPanel = new THintPanelWidget(Form.Panel_PopInfo, this);
  HintPanel->OnClose = [this] { Guard([this] { Form.ButtonCloseHintClick(); }); };
  // The hint's close button passes the keys on, so that they work while it has the focus.
  HintPanel->OnKey = [this](QKeyEvent* event) { keyPressEvent(event); };
  ViewerWidget->ViewWindow()->installEventFilter(this);

  connect(ViewerWidget, &TSceneViewerWidget::FrameDrawn, this, [this] { AwaitingFrame = false; });
  FrameDriver->setTimerType(Qt::PreciseTimer);
  connect(FrameDriver, &QTimer::timeout, this, [this] { DriveFrameTimer(); });

  Form.SetWindowSystem(this);
  // Two thirds of the screen, in its middle, until the preferences say where it was.
  const QRect desktop = screen()->availableGeometry();
  const QSize size =
      (desktop.size() * 2 / 3).expandedTo(QSize(DesignClientWidth, DesignClientHeight));
  setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, desktop));
  Guard([this] { Form.FormCreate(); });
  FrameDriver->start(1);
  Refresh();
}

TMainWindow::~TMainWindow() {
  FrameDriver->stop();
  Guard([this] { Form.FormDestroy(); });
}

template <class TOperation>
void TMainWindow::Guard(TOperation&& operation) {
  try {
    operation();
  } catch (const std::exception& error) {
    Form.HandleException(error.what());
  }
  Refresh();
}

void TMainWindow::Refresh() {
  StatusBarView->Refresh();
  HintPanel->Refresh();
}

// The frame timer is driven from the event loop, so it keeps firing inside modal dialogs.
void TMainWindow::DriveFrameTimer() {
  TFrameTimer& timer = Form.GLCadencer1;
  // Check again after the sleep length, or when the next frame falls due.
  const int dueInMs = static_cast<int>(std::clamp(timer.TimeUntilDue() * 1000.0, 0.0, 8.0));
  FrameDriver->setInterval(timer.SleepLength >= 0 ? timer.SleepLength : dueInMs);
  if (AwaitingFrame && SinceProgress.elapsed() < LongestWaitForFrameMs) return;
  const auto progress = timer.Poll();
  if (!progress) return;
  AwaitingFrame = true;
  SinceProgress.start();
  Guard([&] { Form.GLCadencer1Progress(progress->DeltaTime, progress->NewTime); });
  ViewerWidget->RequestFrame();
}

void TMainWindow::PlaceViewer() {
  const TSceneViewer& viewer = Program.Scene.GLSceneViewer1;
  ViewerWidget->setGeometry(viewer.Left, viewer.Top, viewer.Width, viewer.Height);
  StatusBarView->setGeometry(0, height() - TForm1::Panel1Height, width(), TForm1::Panel1Height);
}

void TMainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Guard([this] { Form.FormResize(width(), height()); });
  PlaceViewer();
}

void TMainWindow::closeEvent(QCloseEvent* event) {
  // Kept in the preferences: where the window is, or was before it filled the screen.
  const QRect place = FullScreen ? WindowedGeometry : geometry();
  Program.Settings.gs_D_Window({place.x(), place.y(), place.width(), place.height()});
  Guard([this] { Form.FormClose(); });
  FrameDriver->stop();
  event->accept();
  // The program ends with its main window, whatever other window is open.
  QCoreApplication::quit();
}

glm::ivec2 TMainWindow::CursorPosition() const {
  const QPoint p = QCursor::pos();
  return {p.x(), p.y()};
}

void TMainWindow::SetCursorPosition(glm::ivec2 screen) {
  QCursor::setPos(screen.x, screen.y);
}

glm::ivec2 TMainWindow::ScreenToViewer(glm::ivec2 screen) const {
  const QPoint p = ViewerWidget->mapFromGlobal(QPoint(screen.x, screen.y));
  return {p.x(), p.y()};
}

glm::ivec2 TMainWindow::ViewerToScreen(glm::ivec2 viewer) const {
  const QPoint p = ViewerWidget->mapToGlobal(QPoint(viewer.x, viewer.y));
  return {p.x(), p.y()};
}

TScreenRect TMainWindow::WindowRect() const {
  const QRect r = frameGeometry();
  return {r.left(), r.top(), r.width(), r.height()};
}

glm::vec3 TMainWindow::WorldPointAt(int x, int y) {
  return ViewerWidget->WorldPointAt(x, y);
}

void TMainWindow::SaveSnapshot(const std::string& path) {
  const QImage image = ViewerWidget->Snapshot().convertToFormat(QImage::Format_ARGB32);
  if (image.isNull() || !image.save(QString::fromStdString(path), "PNG"))
    throw std::runtime_error("could not save the snapshot as " + path);
}

void TMainWindow::ShowErrorBox(const std::string& text) {
  QMessageBox::critical(this, windowTitle(), QString::fromStdString(text));
}

double TMainWindow::MeasureFramesPerSecond() {
  return ViewerWidget->DrawFramesNow(3);
}

void TMainWindow::CloseMainWindow() {
  close();
}

void TMainWindow::CloseNextGameDialog() {
  if (OpenNextGameDialog) OpenNextGameDialog->reject();
}

// Tab is a key of the game here, not a move of the focus.
bool TMainWindow::event(QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab) {
    keyPressEvent(static_cast<QKeyEvent*>(event));
    return true;
  }
  return QWidget::event(event);
}

namespace {

// The modifier keys and mouse buttons as the game's logic takes them.
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState state = 0;
  if (modifiers & Qt::ShiftModifier) state |= ssShift;
  if (modifiers & Qt::AltModifier) state |= ssAlt;
  if (modifiers & Qt::ControlModifier) state |= ssCtrl;
  if (buttons & Qt::LeftButton) state |= ssLeft;
  if (buttons & Qt::RightButton) state |= ssRight;
  if (buttons & Qt::MiddleButton) state |= ssMiddle;
  return state;
}

}  // namespace

void TMainWindow::keyPressEvent(QKeyEvent* event) {
  const int key = VirtualKeyCode(*event);
  if (key == 0) {
    QWidget::keyPressEvent(event);
    return;
  }
  const TShiftState shift = ShiftStateOf(event->modifiers(), QGuiApplication::mouseButtons());
  Guard([this, key, shift] { Form.FormKeyDown(key, shift); });
}

void TMainWindow::wheelEvent(QWheelEvent* event) {
  Wheel(event);
}

// The view is a window of its own: its mouse, wheel and keys come here.
bool TMainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != ViewerWidget->ViewWindow()) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
      ViewerMouse(static_cast<QMouseEvent*>(event));
      return true;
    case QEvent::Wheel:
      Wheel(static_cast<QWheelEvent*>(event));
      return true;
    case QEvent::KeyPress:
      keyPressEvent(static_cast<QKeyEvent*>(event));
      return true;
    default:
      return QWidget::eventFilter(watched, event);
  }
}

void TMainWindow::ViewerMouse(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      Guard([this, p] { Form.ViewerMouseDown(p.x(), p.y()); });
      break;
    case QEvent::MouseButtonRelease:
      Guard([this] { Form.ViewerMouseUp(); });
      break;
    default: {
      const TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
      Guard([this, p, shift] { Form.ViewerMouseMove(p.x(), p.y(), shift); });
      break;
    }
  }
}

void TMainWindow::Wheel(QWheelEvent* event) {
  // A notch is 120 eighths of a degree; finer wheels add up to notches.
  WheelRest += event->angleDelta().y();
  const int notches = WheelRest / 120;
  WheelRest -= notches * 120;
  if (notches != 0) Guard([this, notches] { Form.MouseWheel(notches); });
  event->accept();
}

// The next-game dialog, modal: the frame timer fires on behind it. Its Exit asks for the end of
// the program, which comes with the main window closing.
void TMainWindow::ShowNextGameDialog() {
  TFormNextGame& logic = Form.FormNextGame;
  TNextGameDialog dialog(logic, this);
  dialog.Guard = [this](const std::function<void()>& call) { Guard(call); };
  dialog.OnConfigure = [this] { Form.ShowNewGameDialog(); };
  OpenNextGameDialog = &dialog;
  dialog.exec();
  OpenNextGameDialog = nullptr;
  if (logic.ExitRequested) close();
}

// Set before the window is first shown (the saved preference), the state holds when it shows.
// Where no window manager fills the screen with it, the window takes the screen itself, and
// gives it back at the size and place it had.
void TMainWindow::SetFullScreen(bool on) {
  // The window's own state is no guide: without a window manager it goes back to normal by
  // itself.
  if (on == FullScreen) return;
  FullScreen = on;
  if (on) {
    WindowedGeometry = geometry();
    setWindowState(windowState() | Qt::WindowFullScreen);
    setGeometry(screen()->geometry());
  } else {
    setWindowState(windowState() & ~Qt::WindowFullScreen);
    setGeometry(WindowedGeometry);
  }
}

// A place is taken when a good part of it (a square of 100 pixels at least) lies on a screen.
void TMainWindow::PlaceWindow(const TWindowPlace& place) {
  const QRect rect(place.Left, place.Top, place.Width, place.Height);
  const QList<QScreen*> screens = QGuiApplication::screens();
  const bool seen = std::any_of(screens.begin(), screens.end(), [&rect](const QScreen* s) {
    const QRect common = s->availableGeometry() & rect;
    return common.width() >= 100 && common.height() >= 100;
  });
  if (!seen) return;
  if (FullScreen)
    WindowedGeometry = rect;
  else
    setGeometry(rect);
}

// The new-game dialog, modal on top of whatever is open: the frame timer fires on behind it.
TNewGameChoice TMainWindow::ShowNewGameDialog() {
  QWidget* under = QApplication::activeModalWidget();
  TNewGameDialog dialog(Program.DlgNewGame, under ? under : this);
  dialog.Guard = [this](const std::function<void()>& call) { Guard(call); };
  dialog.OnAbout = [this] { Form.ShowAbout(); };
  dialog.OnViewKeyboardControls = [this] { Form.ViewKeyboardControls(); };
  dialog.exec();
  return dialog.Choice();
}

// The splash is made once and shown again as the about box. Shown over a modal dialog, it
// belongs to that dialog, so that its key and click reach it.
void TMainWindow::ShowSplash(TFormSplash& splash) {
  if (!SplashWindow) {
    SplashWindow = std::make_unique<TSplashWindow>();
    SplashWindow->Guard = [this](const std::function<void()>& call) { Guard(call); };
  }
  SplashWindow->winId();
  QWidget* modal = QApplication::activeModalWidget();
  SplashWindow->windowHandle()->setTransientParent(modal ? modal->windowHandle() : nullptr);
  SplashWindow->ShowSplash(splash);
}

}  // namespace orvane
