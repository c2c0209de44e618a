#pragma once

#include <cstdint>

#include <QImage>
#include <QOpenGLFunctions_3_3_Core>
#include <QOpenGLWidget>
#include <glm/glm.hpp>

#include "scene/Scene.h"
#include "scene/qt/RenderTargets.h"
#include "scene/qt/SceneRenderer.h"

namespace orvane {

// The viewer of a scene: every paint draws the scene at the widget's size, multisampled as
// the viewer's anti-aliasing mode asks, and keeps the finished frame for the queries below.
// It holds no game rule: it draws the scene and answers what is under a pixel.
// A redraw is asked for with update().
class TSceneViewerWidget : public QOpenGLWidget, protected QOpenGLFunctions_3_3_Core {
  Q_OBJECT

 public:
  explicit TSceneViewerWidget(TScene& scene, QWidget* parent = nullptr);
  ~TSceneViewerWidget() override;

  // The OpenGL format of every window made afterwards, vertical sync on or off. Qt sets a
  // window's swap interval when the window is made, so the program calls this at start-up,
  // before its main window exists, with the saved setting.
  static void SetDefaultSurfaceFormat(bool vsync);

  // The world point drawn at pixel (x, y), y counted from the top, in the last frame: the
  // depth is read at column x, row (height - y) from the bottom, clamped to the image, and
  // un-projected; where nothing was drawn the point lies on the far plane.
  glm::vec3 WorldPointAt(int x, int y);
  // The last frame as it was drawn, at its size; a null image before the first frame.
  QImage Snapshot();

  uint64_t FramesDrawn() const { return Frames; }
  uint64_t MeshUploads() const { return Renderer.MeshUploads(); }
  size_t CachedMeshes() const { return Renderer.CachedMeshes(); }
  // The samples per pixel of the last frame (0: not multisampled).
  int Samples() const { return Targets.Samples(); }

 signals:
  // Emitted after every paint, from the event loop once the paint has ended.
  void FrameDrawn();

 protected:
  void initializeGL() override;
  void paintGL() override;

 private:
  class TCurrentContext;
  void ReleaseGL();
  void ApplyVSync();

  TScene& Scene;
  TSceneRenderer Renderer;
  GLuint FinishedFrame();

  TRenderTargets Targets;  // used while multisampling
  int FrameWidth = 0;
  int FrameHeight = 0;
  bool Usable = false;
  uint64_t Frames = 0;
  TVSyncMode VSyncMode;
};

}  // namespace orvane
