// The viewer's area in the window, and the square under the pointer.

#include <stdexcept>

#include "console/Log.h"
#include "frontend/Form1.h"
#include "frontend/WindowSystem.h"
#include "world/MathKT.h"

namespace orvane {

namespace {

// The viewer keeps its width over height between these.
constexpr double NarrowestAspect = 20.0 / 17.0;
constexpr double WidestAspect = 5.0 / 3.0;

}  // namespace

void TForm1::FormResize(int clientWidth, int clientHeight) {
  ClientWidth = clientWidth;
  ClientHeight = clientHeight;
  try {
    if (!Scene.GLCamera1) throw std::runtime_error("no camera");
    const int h = CheckedAdd(clientHeight, -Panel1Height);
    const int w = clientWidth;
    if (h == 0) throw std::domain_error("no room for the viewer");
    const double a = static_cast<double>(w) / h;
    TSceneViewer& viewer = Scene.GLSceneViewer1;
    const TUpdateBracket bracket(*Scene.GLCamera1);
    viewer.Left = 0;
    viewer.Top = 0;
    if (a > WidestAspect) {
      viewer.Width = Round(CheckedMul(h, 5) / 3.0);
      viewer.Height = h;
    } else if (a < NarrowestAspect) {
      viewer.Width = w;
      viewer.Height = Round(w / NarrowestAspect);
    } else {
      viewer.Width = w;
      viewer.Height = h;
    }
    viewer.SetFieldOfView(Look.FieldOfView);
  } catch (const std::exception&) {
    Log.Log("Error 0012: GLSceneViewer1 or GLCamera1 does not exist @ Form.FormResize().");
  }
  // The next mouse move starts afresh instead of jumping.
  Look.ResetMouseOrigin = true;
}

void TForm1::UpdatePointer(int x, int y, bool useCursor) {
  TWindowSystem& windows = RequireWindows();
  if (useCursor) {
    const glm::ivec2 client = windows.ScreenToViewer(windows.CursorPosition());
    x = client.x;
    y = client.y;
  }
  // The buffer counts rows from the bottom: one more selects the row under the cursor.
  const glm::vec3 point = windows.WorldPointAt(x, CheckedAdd(y, 1));
  PointedHeight = point.y;
  // A pixel of sky gives a point on the far plane, which may lie above the grid: it points
  // at no square, so that no action lands on the ground below the sky.
  if (const TCamera* camera = Scene.GLCamera1) {
    const float depth = glm::dot(point - camera->AbsolutePosition(), camera->ForwardVector());
    if (depth >= 0.999f * camera->DepthOfView()) {
      PointedX = PointedZ = -1;
      return;
    }
  }
  PointedX = Trunc(point.x);
  PointedZ = Trunc(point.z);
}

}  // namespace orvane
