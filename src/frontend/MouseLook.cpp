// Looking with the mouse: a left drag feeds the look speeds that the frame tick spends, the wheel
// zooms, and in the map view the right button dollies and a Ctrl drag pans.

#include <algorithm>
#include <cmath>
#include <exception>

#include "console/Log.h"
#include "frontend/Form1.h"
#include "frontend/WindowSystem.h"

namespace orvane {

namespace {

constexpr double LookGain = 50.0;
constexpr double VerticalLookFactor = 1.25;
constexpr double LookDecayBase = 0.0005;
constexpr double DriftDecayBase = 0.001;
// Dragging in the map view turns the landscape, not the eye: reversed and doubled.
constexpr double MapDragFactor = -2.0;
constexpr double PanFactor = 0.001;
constexpr double WheelStep = 1.13;
// The target field of view of the wheel and the zoom keys stays within these.
constexpr float SmallestFieldOfView = 20.0f;
constexpr float LargestFieldOfView = 135.0f;

}  // namespace

void TForm1::ViewerMouseDown(int x, int y) {
  Look.LastMouseX = x;
  Look.LastMouseY = y;
  Look.MouseButtonDown = true;
}

void TForm1::ViewerMouseUp() {
  Look.MouseButtonDown = false;
}

void TForm1::ViewerMouseMove(int x, int y, TShiftState shift) {
  const bool lockCursor = Settings.CC_LockCursor();
  if (Look.ResetMouseOrigin || (Look.CursorWarped && lockCursor)) {
    Look.LastMouseX = x;
    Look.LastMouseY = y;
    Look.ResetMouseOrigin = false;
  }
  if (Look.CursorWarped && lockCursor) {
    // This move is the cursor going back to where the drag began.
    Look.CursorWarped = false;
    return;
  }
  try {
    if (Game && Game->Landscape) UpdatePointer(x, y, false);
    const int dx = x - Look.LastMouseX;
    const int dy = y - Look.LastMouseY;
    if ((shift & ssRight) && MapView) {
      // Dolly: dragging up moves the camera forward.
      if (Scene.GLCamera1) Scene.GLCamera1->MoveInEyeSpace(static_cast<float>(-dy), 0.0f, 0.0f);
      Look.LastMouseX = x;
      Look.LastMouseY = y;
      SetAsleep(false);
    } else if (shift & ssLeft) {
      if ((shift & ssCtrl) && MapView) {
        const double step = PanFactor * Look.TargetFieldOfView;
        if (Scene.GLCamera1)
          Scene.GLCamera1->MoveTargetInEyeSpace(0.0f, static_cast<float>(-dx * step),
                                                static_cast<float>(dy * step));
      } else {
        FollowMouse(dx, dy);
      }
      Look.LastMouseX = x;
      Look.LastMouseY = y;
      SetAsleep(false);
    }
  } catch (const std::exception&) {
    Log.Log("Error 0013: @ GLSceneViewer1MouseMove()");
  }
  Look.MouseMoved = true;
}

// Fast motion reaches the drift almost at once, slow motion is smoothed more; both factors are
// powers of the frame's duration, so the look does not depend on the frame rate.
void TForm1::FollowMouse(int dx, int dy) {
  const double s = MapView ? MapDragFactor : 1.0;
  const double m = std::hypot(dx, dy) * LookGain + 1.0;
  const double dt = LastDeltaTimeValue;
  const double f1 = std::pow(LookDecayBase, dt);
  const double f2 = std::pow(DriftDecayBase, dt * m);
  Look.LookDriftX = static_cast<float>(Look.LookDriftX * f2 + (1.0 - f2) * dx * s);
  Look.LookDriftY = static_cast<float>(Look.LookDriftY * f2 + (1.0 - f2) * dy * s);
  Look.LookVelocityYaw =
      static_cast<float>(Look.LookVelocityYaw * f1 + (1.0 - f1) * Look.LookDriftX);
  Look.LookVelocityPitch = static_cast<float>(Look.LookVelocityPitch * f1 +
                                              (1.0 - f1) * Look.LookDriftY * VerticalLookFactor);
  // With the cursor locked it goes back to where the drag began; the move that brings it there
  // is not a look.
  if (Look.MouseButtonDown && !Look.CursorWarped && Settings.CC_LockCursor()) {
    TWindowSystem& windows = RequireWindows();
    windows.SetCursorPosition(windows.ViewerToScreen({Look.LastMouseX, Look.LastMouseY}));
    Look.CursorWarped = true;
  }
}

void TForm1::Zoom(double factor) {
  Look.TargetFieldOfView = std::clamp(static_cast<float>(Look.TargetFieldOfView * factor),
                                      SmallestFieldOfView, LargestFieldOfView);
}

void TForm1::MouseWheel(int notches) {
  // Beyond a hundred notches the zoom is at its limit anyway.
  notches = std::clamp(notches, -100, 100);
  if (Settings.CC_ReverseZoom()) notches = -notches;
  // A notch up zooms in.
  for (; notches > 0; --notches)
    Zoom(1.0 / WheelStep);
  for (; notches < 0; ++notches)
    Zoom(WheelStep);
  SetAsleep(false);
}

}  // namespace orvane
