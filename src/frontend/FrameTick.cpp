// The frame tick: once per rendered frame the view moves by its inertia, the heartbeat's
// pace follows the tension, and every running animation takes its step.

#include <algorithm>
#include <cmath>
#include <exception>

#include "frontend/Form1.h"

namespace orvane {

namespace {

// Holds the scene's update bracket open for one scope, so the scene is told of the frame's
// changes once, however the frame ends.
class TSceneUpdate {
 public:
  explicit TSceneUpdate(TScene& scene) : Scene(scene) { Scene.BeginUpdate(); }
  ~TSceneUpdate() { Scene.EndUpdate(); }
  TSceneUpdate(const TSceneUpdate&) = delete;
  TSceneUpdate& operator=(const TSceneUpdate&) = delete;

 private:
  TScene& Scene;
};

// Scene axes to sound axes: X, Z and the height negated.
glm::vec3 SoundAxes(const glm::vec3& v) {
  return {v.x, v.z, -v.y};
}

}  // namespace

void TForm1::GLCadencer1Progress(double deltaTime, double newTime) {
  LastDeltaTimeValue = deltaTime;
  if (Game && Game->Landscape && Simulation) {
    const TSceneUpdate update(Scene);
    MoveViewByInertia(deltaTime);
    AgeTension(deltaTime);
    Simulation->ProgressAnimations(deltaTime);
  }
  if (Game) HandOverListener(Game->Audio);
  Look.CameraMoved = false;
  Look.MouseMoved = false;
  LastDeltaTimeValue = deltaTime;
  GameClockValue = newTime;
}

void TForm1::MoveViewByInertia(double deltaTime) {
  const double yawSign = YawSign();
  const double pitchSign = PitchSign();
  const bool atRest = std::abs(Look.LookVelocityYaw) <= 1.0 * deltaTime &&
                      std::abs(Look.LookVelocityPitch) <= 1.0 * deltaTime &&
                      std::abs(Look.FieldOfView - Look.TargetFieldOfView) <= 0.001;
  if (!Look.CameraMoved && atRest) {
    SetAsleep(true);
    Look.LookVelocityYaw = 0.0f;
    Look.LookVelocityPitch = 0.0f;
    return;
  }

  const double decayLook = std::pow(0.0005, deltaTime);
  const double decayDrift = std::pow(0.001, deltaTime);
  const double decayZoom = std::pow(0.0001, deltaTime);
  Look.FieldOfView =
      static_cast<float>(Look.FieldOfView * decayZoom + (1.0 - decayZoom) * Look.TargetFieldOfView);
  Look.LookVelocityYaw = static_cast<float>(Look.LookVelocityYaw * decayLook);
  Look.LookVelocityPitch = static_cast<float>(Look.LookVelocityPitch * decayLook);
  const double k = 0.0090909 * Look.FieldOfView;  // a narrow view turns slower
  const double turn = yawSign * Look.LookVelocityYaw * Look.LookSensitivity * 0.2 * k;
  const double pitch = pitchSign * Look.LookVelocityPitch * Look.LookSensitivity * 0.2 * k;

  TurnView(pitch, turn);
  TCamera* camera = Scene.GLCamera1;
  const TDummyCube* target = Scene.DummyCube1;
  if (camera && target) {
    TAudio& audio = Game->Audio;
    audio.ListenerPosition = SoundAxes(target->Position());
    audio.ListenerOrientationAt = SoundAxes(target->Position() - camera->Position());
    audio.ListenerOrientationUp = SoundAxes(camera->Up());
  }
  if (std::abs(Look.FieldOfView - Look.TargetFieldOfView) > 0.001)
    Scene.GLSceneViewer1.SetFieldOfView(Look.FieldOfView);
  Look.LookDriftX = static_cast<float>(Look.LookDriftX * decayDrift);
  Look.LookDriftY = static_cast<float>(Look.LookDriftY * decayDrift);
  try {
    UpdatePointer(0, 0, true);
  } catch (const std::exception&) {
    // No window system, or no frame to read yet: the pointed square stays as it was.
  }
  SetAsleep(false);
}

void TForm1::TurnView(double pitch, double turn) {
  // The player's robot turns with the view, its shape kept facing its stored angle.
  TLandscape& land = *Game->Landscape;
  const TPlayer& player = land.Player();
  if (player.X > 0 && player.X < land.GridSize && player.Z > 0 && player.Z < land.GridSize) {
    const int top = land.TopLevel(player.X, player.Z);
    if (top >= 1) {
      TStackedObject& robot = land.Object(player.X, player.Z, top);
      if (robot.Kind == go_robot) {
        robot.Angle = static_cast<float>(robot.Angle + turn);
        if (robot.Shape) robot.Shape->TurnBy(static_cast<float>(turn));
      }
    }
  }
  if (TCamera* camera = Scene.GLCamera1)
    camera->MoveAroundTarget(static_cast<float>(pitch), static_cast<float>(turn));
}

void TForm1::AgeTension(double deltaTime) {
  TAudio& audio = Game->Audio;
  audio.Tension = static_cast<float>(std::clamp(audio.Tension - 1.5 * deltaTime, 1.0, 100.0));
  audio.PulseGap1 = static_cast<float>(0.6 / (std::sqrt(0.03 * audio.Tension) + 0.826794));
  audio.PulseGap2 = static_cast<float>(0.6 * audio.PulseGap1);
}

}  // namespace orvane
