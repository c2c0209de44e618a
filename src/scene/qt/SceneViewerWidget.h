#pragma once

#include <cstdint>

#include <QCursor>
#include <QImage>
#include <QOpenGLFunctions_3_3_Core>
#include <QOpenGLWindow>
#include <QWidget>
#include <glm/glm.hpp>

#include "scene/Scene.h"
#include "scene/qt/RenderTargets.h"
#include "scene/qt/SceneRenderer.h"

namespace orvane {

// The window the scene is drawn in: a native OpenGL window, so that a frame goes from its
// buffer to the screen without being composed with the rest of the main window. Without
// anti-aliasing, and where the window's depth buffer outlives the swap, a paint draws the
// scene straight into the window, whose depth buffer answers the queries. Otherwise it draws
// into a buffer of its own (multisampled as the anti-aliasing mode asks), resolved into a
// single-sampled one that keeps the finished frame's colour and depth, and copied to the
// window.
class TSceneViewerWindow : public QOpenGLWindow, protected QOpenGLFunctions_3_3_Core {
  Q_OBJECT

 public:
  explicit TSceneViewerWindow(TScene& scene);
  ~TSceneViewerWindow() override;

  glm::vec3 WorldPointAt(int x, int y);
  QImage Snapshot();
  // Makes the window anew when the viewer's vertical-sync mode asks for another swap
  // interval than the window was made with. Not while painting.
  void ApplyVSync();
  uint64_t FramesDrawn() const { return Frames; }
  uint64_t MeshUploads() const { return Renderer.MeshUploads(); }
  size_t CachedMeshes() const { return Renderer.CachedMeshes(); }
  int Samples() const { return DrawnSamples; }
  int SwapInterval() const { return format().swapInterval(); }

 signals:
  void FrameDrawn();

 protected:
  void initializeGL() override;
  void paintGL() override;
  void resizeGL(int width, int height) override;

 private:
  class TCurrentContext;
  void ReleaseGL();

  TScene& Scene;
  TSceneRenderer Renderer;
  TRenderTargets Targets;
  bool Usable = false;
  uint64_t Frames = 0;
  // The last frame: its size in the framebuffer's pixels (0 before the first), how many of
  // them make a pixel of the viewer, its samples, and whether it was drawn straight into the
  // window.
  int DrawnWidth = 0;
  int DrawnHeight = 0;
  qreal DrawnRatio = 1.0;
  int DrawnSamples = 0;
  bool DrawnToWindow = false;
  // The window changed its size since the last frame: what it holds is no frame any more.
  bool ResizedSinceFrame = false;
  // Whether the window's depth buffer keeps the frame's depths after the swap.
  bool DepthOutlivesSwap = false;
};

// The viewer of a scene as a widget of the main window. It holds no game rule: it draws the
// scene and answers what is under a pixel. A redraw is asked for with RequestFrame().
class TSceneViewerWidget : public QWidget {
  Q_OBJECT

 public:
  explicit TSceneViewerWidget(TScene& scene, QWidget* parent = nullptr);

  // The OpenGL format of every window made afterwards, vertical sync on or off. Qt sets a
  // window's swap interval when the window is made, so the program calls this at start-up,
  // before its main window exists, with the saved setting.
  static void SetDefaultSurfaceFormat(bool vsync);

  // Asks for a frame, in a window with the swap interval the viewer's vertical sync asks for.
  void RequestFrame() {
    View->ApplyVSync();
    View->requestUpdate();
  }
  void SetViewCursor(const QCursor& cursor) { View->setCursor(cursor); }
  // The native window the scene is drawn in, which receives the mouse over the view.
  QWindow* ViewWindow() const { return View; }
  // Draws frames at once, one after the other, and returns how many a second they took.
  double DrawFramesNow(int count);

  // The world point drawn at pixel (x, y), y counted from the top, in the last frame: the
  // depth is read at column x, row (height - y) from the bottom, clamped to the image, and
  // un-projected; where nothing was drawn the point lies on the far plane.
  glm::vec3 WorldPointAt(int x, int y) { return View->WorldPointAt(x, y); }
  // The frame at the last frame's size: the last frame itself when it was multisampled, else
  // the scene drawn again as it is now; a null image before the first frame.
  QImage Snapshot() { return View->Snapshot(); }

  uint64_t FramesDrawn() const { return View->FramesDrawn(); }
  uint64_t MeshUploads() const { return View->MeshUploads(); }
  size_t CachedMeshes() const { return View->CachedMeshes(); }
  // The samples per pixel of the last frame (0: not multisampled).
  int Samples() const { return View->Samples(); }
  // The swap interval of the window the view is drawn in, as the window system made it.
  int SwapInterval() const { return View->SwapInterval(); }

 signals:
  // Emitted after every paint, from the event loop once the paint has ended.
  void FrameDrawn();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  TSceneViewerWindow* View;
  QWidget* Container;
};

}  // namespace orvane
