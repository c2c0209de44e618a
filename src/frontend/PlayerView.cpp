// Places the camera: on the player's robot at a square, or outside the landscape in the
// map view. The camera always orbits its target DummyCube1; in the player's view the target
// sits just in front of the eye, so orbiting it turns the view about the eye.

#include <cmath>

#include "frontend/Form1.h"
#include "scene/Scene.h"
#include "world/MathKT.h"

namespace orvane {

const char* const MapViewHint =
    "BM0This is the Map View.\nDrag with [left mouse button] to rotate landscape. [mouse wheel] "
    "zooms in and out, [Right mouse button] moves in and out, [ctrl] lets you look around. Press "
    "[M] again to go back to your robot.";

namespace {

constexpr float EyeAboveBase = 1.45f;

glm::vec3 Normalised(const glm::vec3& v) {
  const float length = glm::length(v);
  return length > 0.0f ? v / length : glm::vec3(0.0f, 0.0f, 1.0f);
}

// The bottom of the top object of a square, or the ground when the square is empty.
float TopBase(const TLandscape& land, int x, int z) {
  const int top = land.TopLevel(x, z);
  return top >= 1 ? land.Object(x, z, top).Base : land.PointHeight(x, z);
}

}  // namespace

void TForm1::SetPlayerView(int x, int z, bool faceTolmarch, bool map) {
  TLandscape& land = *Game->Landscape;
  TCamera& camera = *Scene.GLCamera1;
  TSceneObject& target = *Scene.DummyCube1;
  TSceneViewer& viewer = Scene.GLSceneViewer1;
  const TUpdateBracket bracket(camera);
  TPlayer& player = land.Player();
  player.X = x;
  player.Z = z;
  const float N = static_cast<float>(land.GridSize);

  if (map) {
    player.ViewDir = Normalised(target.Position() - camera.Position());
    camera.SetPosition({2 * N, 1.2f * N, 2 * N});
    target.SetPosition({0.5f * N, -0.15f * N, 0.5f * N});
    Look.TargetFieldOfView = 115.0f;
    viewer.SetFieldOfView(115.0f);
    Look.FieldOfView = 115.0f;
    camera.SetDepthOfView(3.5f * N);
    viewer.Fog.End = 5 * N;
    viewer.Fog.Color.a = 0.2f * land.SkyColour.a;
    RemoveHints('M');
    AddHint(MapViewHint);
  } else {
    RemoveHints('M');
    glm::vec3 dir = Normalised(player.ViewDir);
    const glm::vec3 eye(x + 0.5f, EyeAboveBase + TopBase(land, x, z), z + 0.5f);
    camera.SetPosition(eye);
    if (faceTolmarch) {
      const glm::vec3 tolmarch(land.TolmarchX + 0.5f,
                               land.ObjectHeights[go_tolmarch] * 0.5f + land.PedestalGround,
                               land.TolmarchZ + 0.5f);
      dir = Normalised(tolmarch - eye);
      player.Alive = true;
    }
    const int top = land.TopLevel(x, z);
    if (top < 1 || land.Object(x, z, top).Kind != go_robot)
      land.AddGameObject(x, z, go_robot, static_cast<float>(RadToDeg(std::atan2(dir.x, dir.z))),
                         false);
    target.SetPosition(eye + 0.01f * dir);
    viewer.Fog.End = N;
    viewer.Fog.Color.a = land.SkyColour.a;
    camera.SetDepthOfView(1.5f * N);
    viewer.SetFieldOfView(Look.TargetFieldOfView);
    Look.FieldOfView = Look.TargetFieldOfView;
    // The scan state and the warning follow the player to the new square.
    if (Simulation)
      for (int k = 1; k <= land.SiteCount; ++k)
        Simulation->ScanStep(k, false);
  }
  player.EyeHgt = 1.45 + static_cast<double>(TopBase(land, x, z));
  Look.CameraMoved = true;
}

}  // namespace orvane
