// Measures the game's window: the time from the program's start to its first drawn frame,
// then the frame times on a large landscape with vertical sync off and no frame cap. With
// --turn the view turns all along, the pointer picked under the cursor every frame; with --keys
// a key (U, the view turned round) is pressed every tenth frame and the frames from the press
// to the first frame that shows it are counted.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include <QCursor>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>

#include "frontend/Program.h"
#include "frontend/qt/Application.h"
#include "frontend/qt/MainWindow.h"
#include "scene/qt/SceneViewerWidget.h"

namespace {

using namespace orvane;

struct TOptions {
  int Frames = 600;
  int ViewerWidth = 1280;
  int ViewerHeight = 768;
  int Number = 2016;
  int Difficulty = 100;
  bool Turn = false;
  bool Keys = false;
};

double Percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  const size_t index = static_cast<size_t>(fraction * static_cast<double>(values.size() - 1));
  return values[index];
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer sinceStart;
  sinceStart.start();
  TOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    if (name == "--turn") options.Turn = true;
    if (name == "--keys") options.Keys = true;
    if (name == "--turn" || name == "--keys" || i + 1 == argc) continue;
    const int value = std::atoi(argv[i + 1]);
    if (name == "--frames") options.Frames = std::max(10, value);
    if (name == "--width") options.ViewerWidth = std::max(64, value);
    if (name == "--height") options.ViewerHeight = std::max(64, value);
    if (name == "--number") options.Number = value;
    if (name == "--difficulty") options.Difficulty = std::clamp(value, 0, 100);
    ++i;
  }
  if (argc > 1 && std::string(argv[1]) == "--help") {
    std::printf(
        "usage: orvane_fps [--frames N] [--width W] [--height H] [--number N] "
        "[--difficulty D] [--turn] [--keys]\n");
    return 0;
  }

  TApplication application(argc, argv);
  TSceneViewerWidget::SetDefaultSurfaceFormat(false);
  TProgram program;
  TMainWindow window(program);
  window.show();

  // The look direction, to tell the frame that shows a key's turn.
  auto look = [&program] {
    return program.Scene.DummyCube1->Position() - program.Scene.GLCamera1->Position();
  };
  glm::vec3 lookBeforeKey(0.0f);
  int framesSinceKey = -1;
  std::vector<double> framesToShowKey;
  int picks = 0;

  double firstFrameMs = -1;
  std::vector<double> frameMs;
  QElapsedTimer sinceFrame;
  bool measuring = false;
  QObject::connect(&window.Viewer(), &TSceneViewerWidget::FrameDrawn, [&] {
    if (firstFrameMs < 0) {
      firstFrameMs = static_cast<double>(sinceStart.nsecsElapsed()) / 1e6;
      // Now the large landscape, the viewer's size, no vertical sync and no cap.
      TGameSettings& settings = program.Settings;
      settings.gs_S_Difficulty(options.Difficulty);
      settings.gs_S_LandscapeRandom(false);
      settings.gs_S_LandscapeNumber(options.Number);
      program.Form1.Game->Init();
      program.Form1.SetVSync(false);
      window.resize(options.ViewerWidth, options.ViewerHeight + TForm1::Panel1Height);
      program.Form1.GLCadencer1.MinDeltaTime = 0.0;
      program.Form1.GLCadencer1.SleepLength = 0;
      // Looking down a little, so that the pointer mostly lies on the ground.
      if (options.Turn) program.Scene.GLCamera1->MoveAroundTarget(-25.0f, 0.0f);
      QTimer::singleShot(500, [&] {
        measuring = true;
        sinceFrame.start();
      });
      return;
    }
    // No cap: the view falling asleep or waking puts the timer back to its 1/120 s.
    program.Form1.GLCadencer1.MinDeltaTime = 0.0;
    if (options.Turn) {
      // A steady turn, and the cursor over the view so that every frame picks a square.
      program.Form1.Look.LookVelocityYaw = 6.0f;
      QCursor::setPos(window.Viewer().mapToGlobal(window.Viewer().rect().center()));
    }
    if (!measuring) return;
    if (options.Turn && program.Form1.PointedX != -1) ++picks;
    if (framesSinceKey >= 0) {
      ++framesSinceKey;
      if (glm::distance(look(), lookBeforeKey) > 1e-4f) {
        framesToShowKey.push_back(framesSinceKey);
        framesSinceKey = -1;
      }
    } else if (options.Keys && frameMs.size() % 10 == 0) {
      lookBeforeKey = look();
      framesSinceKey = 0;
      QCoreApplication::postEvent(&window,
                                  new QKeyEvent(QEvent::KeyPress, Qt::Key_U, Qt::NoModifier, "u"));
    }
    frameMs.push_back(static_cast<double>(sinceFrame.nsecsElapsed()) / 1e6);
    sinceFrame.start();
    if (static_cast<int>(frameMs.size()) >= options.Frames) application.quit();
  });
  application.exec();

  const TSceneViewer& viewer = program.Scene.GLSceneViewer1;
  const double median = Percentile(frameMs, 0.5);
  std::printf("first frame after start: %.0f ms\n", firstFrameMs);
  std::printf("landscape %d at difficulty %d: %d squares a side, viewer %d x %d\n", options.Number,
              options.Difficulty, program.Landscape().GridSize, viewer.Width, viewer.Height);
  std::printf("%zu frames: median %.2f ms (%.0f frames per second), 95th percentile %.2f ms\n",
              frameMs.size(), median, 1000.0 / median, Percentile(frameMs, 0.95));
  if (options.Turn)
    std::printf("turning: the pointer on a square in %d of %zu frames\n", picks, frameMs.size());
  if (!framesToShowKey.empty())
    std::printf("%zu keys: shown by frame %.0f after the press at most (median %.0f)\n",
                framesToShowKey.size(), Percentile(framesToShowKey, 1.0),
                Percentile(framesToShowKey, 0.5));
  return 0;
}
