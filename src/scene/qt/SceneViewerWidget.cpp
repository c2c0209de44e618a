#include "scene/qt/SceneViewerWidget.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QSurfaceFormat>
#include <glm/gtc/matrix_transform.hpp>

namespace orvane {

namespace {

// The size of a window in pixels as the X server has it now, which may be ahead of the resize
// events Qt has handled; nothing on other window systems.
std::optional<QSize> WindowSystemSize(QWindow& window) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection()) return std::nullopt;
  xcb_connection_t* connection = x11->connection();
  xcb_get_geometry_reply_t* reply = xcb_get_geometry_reply(
      connection, xcb_get_geometry(connection, static_cast<xcb_window_t>(window.winId())), nullptr);
  if (!reply) return std::nullopt;
  const QSize size(reply->width, reply->height);
  std::free(reply);
  return size;
}

QSurfaceFormat ViewerFormat(bool vsync) {
  QSurfaceFormat format = QSurfaceFormat::defaultFormat();
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setVersion(3, 3);
  format.setProfile(QSurfaceFormat::CoreProfile);
  format.setDepthBufferSize(24);
  format.setStencilBufferSize(8);
  format.setAlphaBufferSize(8);
  format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
  format.setSwapInterval(vsync ? 1 : 0);
  format.setSamples(0);  // the viewer multisamples in its own framebuffer
  return format;
}

int SamplesFor(TAntiAliasing mode) {
  switch (mode) {
    case aa2x:
    case aa2xHQ:
      return 2;
    case aa4x:
    case aa4xHQ:
      return 4;
    default:
      return 0;
  }
}

}  // namespace

// Makes the window's context current for a query made outside its paint, and afterwards
// gives the thread back the context it had.
class TSceneViewerWindow::TCurrentContext {
 public:
  explicit TCurrentContext(TSceneViewerWindow& window)
      : Window(window),
        Previous(QOpenGLContext::currentContext()),
        PreviousSurface(Previous ? Previous->surface() : nullptr) {
    if (Previous != Window.context()) Window.makeCurrent();
  }
  ~TCurrentContext() {
    if (Previous == Window.context()) return;
    Window.doneCurrent();
    if (Previous) Previous->makeCurrent(PreviousSurface);
  }
  TCurrentContext(const TCurrentContext&) = delete;
  TCurrentContext& operator=(const TCurrentContext&) = delete;

 private:
  TSceneViewerWindow& Window;
  QOpenGLContext* Previous;
  QSurface* PreviousSurface;
};

TSceneViewerWindow::TSceneViewerWindow(TScene& scene)
    : QOpenGLWindow(QOpenGLWindow::NoPartialUpdate), Scene(scene) {
  setFormat(QSurfaceFormat::defaultFormat());
}

TSceneViewerWindow::~TSceneViewerWindow() {
  if (!context()) return;
  makeCurrent();
  ReleaseGL();
  doneCurrent();
}

void TSceneViewerWindow::initializeGL() {
  Usable = initializeOpenGLFunctions() && Renderer.Initialise();
  if (!Usable) qWarning("Scene viewer: OpenGL 3.3 core is not available");
  // A GLX or WGL swap exchanges the colour buffers only: the depth buffer stays as drawn.
  // EGL leaves it undefined, so there frames go through a buffer of the viewer's own.
  DepthOutlivesSwap = false;
#if QT_CONFIG(xcb_glx_plugin)
  DepthOutlivesSwap = context()->nativeInterface<QNativeInterface::QGLXContext>() != nullptr;
#endif
#ifdef Q_OS_WIN
  DepthOutlivesSwap = context()->nativeInterface<QNativeInterface::QWGLContext>() != nullptr;
#endif
}

void TSceneViewerWindow::ReleaseGL() {
  if (!Usable) return;
  Renderer.Release();
  Targets.Release(*this);
  Usable = false;
}

// Vertical sync follows the viewer's mode. Qt hands a window's swap interval to the window
// system only when it makes the window, so a change of mode makes the window anew. The
// context outlives its window, and with it the shaders, the meshes' buffers and the
// framebuffers: the next paint makes it current on the new window.
void TSceneViewerWindow::ApplyVSync() {
  const int interval = Scene.GLSceneViewer1.VSync == TVSyncMode::vsmSync ? 1 : 0;
  QSurfaceFormat wanted = requestedFormat();
  if (wanted.swapInterval() == interval) return;
  wanted.setSwapInterval(interval);
  setFormat(wanted);
  if (!handle()) return;  // taken up when the window is made
  // The place as the window has it now: a move or resize the window system has not
  // confirmed yet would otherwise be lost with the old window.
  const QRect place = geometry();
  const bool shown = isVisible();
  destroy();
  DrawnWidth = DrawnHeight = 0;  // the new window holds no frame yet
  setGeometry(place);
  create();
  setVisible(shown);
}

void TSceneViewerWindow::resizeGL(int /*width*/, int /*height*/) {
  ResizedSinceFrame = true;
}

void TSceneViewerWindow::paintGL() {
  const GLuint windowFramebuffer = defaultFramebufferObject();
  if (Usable) {
    const qreal ratio = devicePixelRatio();
    const int w = std::max(1, qRound(width() * ratio));
    const int h = std::max(1, qRound(height() * ratio));
    const int samples = SamplesFor(Scene.GLSceneViewer1.AntiAliasing);
    if (samples == 0 && DepthOutlivesSwap) {
      // Straight into the window: a copy of the whole frame costs a software renderer as
      // much as drawing it. The window's depth buffer outlives the swap, so depths are read
      // from it; only a picture needs the frame drawn again (Snapshot).
      if (Targets.Samples() > 0) Targets.Release(*this);  // anti-aliasing was turned off
      glBindFramebuffer(GL_FRAMEBUFFER, windowFramebuffer);
      Renderer.Render(Scene, w, h, ratio);
      DrawnToWindow = true;
    } else {
      Targets.Prepare(*this, w, h, samples);
      glBindFramebuffer(GL_FRAMEBUFFER, Targets.DrawFramebuffer());
      Renderer.Render(Scene, w, h, ratio);
      Targets.Resolve(*this);
      glBindFramebuffer(GL_READ_FRAMEBUFFER, Targets.ResolvedFramebuffer());
      glBindFramebuffer(GL_DRAW_FRAMEBUFFER, windowFramebuffer);
      glBlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
      glBindFramebuffer(GL_FRAMEBUFFER, windowFramebuffer);
      DrawnToWindow = false;
    }
    DrawnWidth = w;
    DrawnHeight = h;
    DrawnRatio = ratio;
    ResizedSinceFrame = false;
    DrawnSamples = DrawnToWindow ? 0 : Targets.Samples();
  } else {
    QOpenGLFunctions& gl = *context()->functions();
    const TColor colour = ColourOfNumber(Scene.GLSceneViewer1.BackgroundColor);
    gl.glClearColor(colour.r, colour.g, colour.b, 1.0f);
    gl.glClear(GL_COLOR_BUFFER_BIT);
  }
  ++Frames;
  // Announced once the paint is over, so that a receiver may resize or rebuild the scene.
  QMetaObject::invokeMethod(this, &TSceneViewerWindow::FrameDrawn, Qt::QueuedConnection);
}

glm::vec3 TSceneViewerWindow::WorldPointAt(int x, int y) {
  if (!Usable || DrawnWidth == 0) return glm::vec3(0.0f);
  const int w = DrawnWidth;
  const int h = DrawnHeight;
  const qreal ratio = devicePixelRatio();
  const int column = std::clamp(qRound(x * ratio), 0, w - 1);
  const int row = std::clamp(h - qRound(y * ratio), 0, h - 1);
  float depth = 1.0f;
  // A window resized since its frame holds buffers of another size, not that frame's depths,
  // and some drivers fail reading them: until the next frame the pixel shows the far plane.
  // The window system may have resized the window before Qt tells of it, so it is asked.
  if (!DrawnToWindow ||
      (!ResizedSinceFrame && WindowSystemSize(*this).value_or(QSize(w, h)) == QSize(w, h))) {
    const TCurrentContext current(*this);
    glBindFramebuffer(GL_READ_FRAMEBUFFER,
                      DrawnToWindow ? defaultFramebufferObject() : Targets.ResolvedFramebuffer());
    glReadPixels(column, row, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, defaultFramebufferObject());
  }
  return glm::unProject(glm::vec3(column, row, depth), Renderer.View(), Renderer.Projection(),
                        glm::vec4(0.0f, 0.0f, w, h));
}

QImage TSceneViewerWindow::Snapshot() {
  if (!Usable || DrawnWidth == 0) return {};
  QImage image(DrawnWidth, DrawnHeight, QImage::Format_RGBA8888);
  {
    const TCurrentContext current(*this);
    if (DrawnToWindow) {
      // What the window showed is gone after the swap: the scene is drawn again, as it is
      // now, into a buffer of the same size.
      Targets.Prepare(*this, DrawnWidth, DrawnHeight, 0);
      glBindFramebuffer(GL_FRAMEBUFFER, Targets.DrawFramebuffer());
      Renderer.Render(Scene, DrawnWidth, DrawnHeight, DrawnRatio);
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, Targets.ResolvedFramebuffer());
    glReadPixels(0, 0, image.width(), image.height(), GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
    glBindFramebuffer(GL_FRAMEBUFFER, defaultFramebufferObject());
  }
  return image.mirrored();  // the rows were read bottom first
}

// ---- the widget -----------------------------------------------------------------------

TSceneViewerWidget::TSceneViewerWidget(TScene& scene, QWidget* parent)
    : QWidget(parent), View(new TSceneViewerWindow(scene)) {
  Container = QWidget::createWindowContainer(View, this);
  // A native container holds the view's window inside its own, where the view's window may be
  // made anew without changing its place among the main window's native windows.
  Container->setAttribute(Qt::WA_NativeWindow);
  Container->setFocusPolicy(Qt::NoFocus);
  connect(View, &TSceneViewerWindow::FrameDrawn, this, &TSceneViewerWidget::FrameDrawn);
}

void TSceneViewerWidget::SetDefaultSurfaceFormat(bool vsync) {
  QSurfaceFormat::setDefaultFormat(ViewerFormat(vsync));
}

void TSceneViewerWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Container->setGeometry(rect());
}

double TSceneViewerWidget::DrawFramesNow(int count) {
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < count; ++i) {
    // The window paints when it is told its update is due, at once.
    QEvent due(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(View, &due);
  }
  const qint64 elapsed = timer.nsecsElapsed();
  return elapsed > 0 ? count * 1e9 / double(elapsed) : 0.0;
}

}  // namespace orvane
