#include "scene/qt/SceneViewerWidget.h"

#include <algorithm>

#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QSurfaceFormat>
#include <glm/gtc/matrix_transform.hpp>

namespace orvane {

namespace {

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

// Makes the widget's context current for a query made outside its paint, and afterwards
// gives the thread back the context it had.
class TSceneViewerWidget::TCurrentContext {
 public:
  explicit TCurrentContext(TSceneViewerWidget& widget)
      : Widget(widget),
        Previous(QOpenGLContext::currentContext()),
        PreviousSurface(Previous ? Previous->surface() : nullptr) {
    if (Previous != Widget.context()) Widget.makeCurrent();
  }
  ~TCurrentContext() {
    if (Previous == Widget.context()) return;
    Widget.doneCurrent();
    if (Previous) Previous->makeCurrent(PreviousSurface);
  }
  TCurrentContext(const TCurrentContext&) = delete;
  TCurrentContext& operator=(const TCurrentContext&) = delete;

 private:
  TSceneViewerWidget& Widget;
  QOpenGLContext* Previous;
  QSurface* PreviousSurface;
};

TSceneViewerWidget::TSceneViewerWidget(TScene& scene, QWidget* parent)
    : QOpenGLWidget(parent), Scene(scene), VSyncMode(scene.GLSceneViewer1.VSync) {
  setFormat(ViewerFormat(VSyncMode == TVSyncMode::vsmSync));
}

TSceneViewerWidget::~TSceneViewerWidget() {
  if (!context()) return;
  disconnect(context(), nullptr, this, nullptr);
  makeCurrent();
  ReleaseGL();
  doneCurrent();
}

void TSceneViewerWidget::SetDefaultSurfaceFormat(bool vsync) {
  QSurfaceFormat::setDefaultFormat(ViewerFormat(vsync));
}

void TSceneViewerWidget::initializeGL() {
  Usable = initializeOpenGLFunctions() && Renderer.Initialise();
  if (!Usable) qWarning("Scene viewer: OpenGL 3.3 core is not available");
  // Moving the widget to another window replaces its context: free what lived in the old.
  connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] {
    makeCurrent();
    ReleaseGL();
    doneCurrent();
  });
}

void TSceneViewerWidget::ReleaseGL() {
  if (!Usable) return;
  Renderer.Release();
  Targets.Release(*this);
  Usable = false;
}

// A window's swap interval is fixed by Qt when the window is made, so a change of the
// viewer's mode while the window exists cannot reach it: the new mode becomes the default
// format and so holds for windows made from then on (the program applies the saved mode at
// start-up through SetDefaultSurfaceFormat).
void TSceneViewerWidget::ApplyVSync() {
  const TVSyncMode wanted = Scene.GLSceneViewer1.VSync;
  if (wanted == VSyncMode) return;
  VSyncMode = wanted;
  SetDefaultSurfaceFormat(wanted == TVSyncMode::vsmSync);
}

void TSceneViewerWidget::paintGL() {
  ApplyVSync();
  const GLuint widgetFramebuffer = defaultFramebufferObject();
  if (Usable) {
    const qreal ratio = devicePixelRatioF();
    const int w = std::max(1, qRound(width() * ratio));
    const int h = std::max(1, qRound(height() * ratio));
    const int samples = SamplesFor(Scene.GLSceneViewer1.AntiAliasing);
    FrameWidth = w;
    FrameHeight = h;
    if (samples == 0) {
      // Straight into the widget's own buffer, which keeps colour and depth for reading.
      Targets.Release(*this);
      glBindFramebuffer(GL_FRAMEBUFFER, widgetFramebuffer);
      Renderer.Render(Scene, w, h);
    } else {
      Targets.Prepare(*this, w, h, samples);
      glBindFramebuffer(GL_FRAMEBUFFER, Targets.DrawFramebuffer());
      Renderer.Render(Scene, w, h);
      Targets.Resolve(*this);
      glBindFramebuffer(GL_READ_FRAMEBUFFER, Targets.ResolvedFramebuffer());
      glBindFramebuffer(GL_DRAW_FRAMEBUFFER, widgetFramebuffer);
      glBlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
      glBindFramebuffer(GL_FRAMEBUFFER, widgetFramebuffer);
    }
  } else {
    QOpenGLFunctions& gl = *context()->functions();
    const uint32_t colour = Scene.GLSceneViewer1.BackgroundColor;
    gl.glClearColor((colour & 0xFF) / 255.0f, ((colour >> 8) & 0xFF) / 255.0f,
                    ((colour >> 16) & 0xFF) / 255.0f, 1.0f);
    gl.glClear(GL_COLOR_BUFFER_BIT);
  }
  ++Frames;
  // Announced once the paint is over, so that a receiver may resize or rebuild the scene.
  QMetaObject::invokeMethod(this, &TSceneViewerWidget::FrameDrawn, Qt::QueuedConnection);
}

// The framebuffer holding the last frame's colour and depth, single-sampled.
GLuint TSceneViewerWidget::FinishedFrame() {
  return Targets.Ready() ? Targets.ResolvedFramebuffer() : defaultFramebufferObject();
}

glm::vec3 TSceneViewerWidget::WorldPointAt(int x, int y) {
  if (!Usable || Frames == 0) return glm::vec3(0.0f);
  const int w = FrameWidth;
  const int h = FrameHeight;
  const qreal ratio = devicePixelRatioF();
  const int column = std::clamp(qRound(x * ratio), 0, w - 1);
  const int row = std::clamp(h - qRound(y * ratio), 0, h - 1);
  float depth = 1.0f;
  {
    const TCurrentContext current(*this);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, FinishedFrame());
    glReadPixels(column, row, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, defaultFramebufferObject());
  }
  return glm::unProject(glm::vec3(column, row, depth), Renderer.View(), Renderer.Projection(),
                        glm::vec4(0.0f, 0.0f, w, h));
}

QImage TSceneViewerWidget::Snapshot() {
  if (!Usable || Frames == 0) return {};
  QImage image(FrameWidth, FrameHeight, QImage::Format_RGBA8888);
  {
    const TCurrentContext current(*this);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, FinishedFrame());
    glReadPixels(0, 0, image.width(), image.height(), GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, defaultFramebufferObject());
  }
  return image.mirrored();  // the rows were read bottom first
}

}  // namespace orvane
