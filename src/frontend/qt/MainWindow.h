#pragma once

#include <memory>

#include <QElapsedTimer>
#include <QWidget>

#include "frontend/Program.h"
#include "frontend/WindowSystem.h"

class QTimer;

namespace orvane {

class TSceneViewerWidget;
class TNextGameDialog;
class TSplashWindow;
class TStatusBarWidget;
class THintPanelWidget;

// The main window as the window system sees it: the 3-D view, the status bar and the hint
// panel, showing what the main window's logic holds, and the driver of the frame timer.
class TMainWindow : public QWidget, public TWindowSystem {
 public:
  explicit TMainWindow(TProgram& program);
  ~TMainWindow() override;

  TSceneViewerWidget& Viewer() { return *ViewerWidget; }
  TStatusBarWidget& StatusBar() { return *StatusBarView; }
  // Brings the status bar and the hint panel up to date with the logic.
  void Refresh();

  // ---- the window system, for the main window's logic
  glm::ivec2 CursorPosition() const override;
  void SetCursorPosition(glm::ivec2 screen) override;
  glm::ivec2 ScreenToViewer(glm::ivec2 screen) const override;
  glm::ivec2 ViewerToScreen(glm::ivec2 viewer) const override;
  TScreenRect WindowRect() const override;
  glm::vec3 WorldPointAt(int x, int y) override;
  void SaveSnapshot(const std::string& path) override;
  void ShowErrorBox(const std::string& text) override;
  double MeasureFramesPerSecond() override;
  void CloseMainWindow() override;
  void ShowNextGameDialog() override;
  void CloseNextGameDialog() override;
  TNewGameChoice ShowNewGameDialog() override;
  void SetFullScreen(bool on) override;
  void PlaceWindow(const TWindowPlace& place) override;
  void ShowSplash(TFormSplash& splash) override;

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void DriveFrameTimer();
  void PlaceViewer();
  // The mouse over the view, in the view's own pixels.
  void ViewerMouse(QMouseEvent* event);
  void Wheel(QWheelEvent* event);
  template <class TOperation>
  void Guard(TOperation&& operation);

  TProgram& Program;
  TForm1& Form;
  TSceneViewerWidget* ViewerWidget;
  TStatusBarWidget* StatusBarView;
  THintPanelWidget* HintPanel;
  QTimer* FrameDriver;
  TNextGameDialog* OpenNextGameDialog = nullptr;
  // Made at its first showing, and shown again as the about box.
  std::unique_ptr<TSplashWindow> SplashWindow;
  // A progress waits for its redraw before the next one, unless the view is not drawn.
  bool AwaitingFrame = false;
  QElapsedTimer SinceProgress;
  // Whether the window fills the screen, and its place before it did.
  bool FullScreen = false;
  QRect WindowedGeometry;
  // Eighths of a degree the wheel turned short of a whole notch.
  int WheelRest = 0;
};

}  // namespace orvane
