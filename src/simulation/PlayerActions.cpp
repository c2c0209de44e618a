// The player's six actions: absorb, create a tree, a boulder or a robot shell, transfer into a
// shell (or leave the landscape from the pedestal), and hyperspace. Each either does nothing at
// all or everything it should.

#include <cmath>

#include "audio/Audio.h"
#include "scene/Scene.h"
#include "simulation/Simulation.h"
#include "world/Game.h"
#include "world/Landscape.h"
#include "world/MathKT.h"
#include "world/Random.h"

namespace orvane {

namespace {

const char* const TolmarchAbsorbedHint =
    "BR1You've absorbed the Tolmarch! You can't absorb anything else from the landscape. Now "
    "create a robot [R] on the pedestal.";
const char* const TreeHint = "BT1You've just added a tree. Why did you do that??";
const char* const BoulderHint =
    "BB1Now that you've placed a boulder, you can stack more boulders or a robot [R] on top.";
const char* const ShellHint =
    "HR1You've created a robot shell. Point at the robot, then press [Q] to transfer to it.";
const char* const PedestalHint =
    "BR1Well done - you've reached the Orvane! Press [Q] to leave this landscape.";
const char* const AnotherShellHint =
    "BR1You're now in another robot shell. Absorb the old shell [A] to take its energy.";

// Some object of the square is under an animation of this kind.
bool HasObjectAnimation(const TLandscape& land, int x, int z, TAnimationKind kind) {
  for (int level = 1; level <= MaxStack; ++level) {
    const int slot = land.Object(x, z, level).Animation;
    if (slot >= 0 && land.Animations(slot).Kind == kind) return true;
  }
  return false;
}

// What the pointed square holds, as every action sees it.
struct TTarget {
  bool Valid = false;
  int X = -1;
  int Z = -1;
  int HitLevel = -1;
  TGameObjectKind HitKind = go_none;
  int Top = -1;
  TGameObjectKind TopKind = go_none;
  int Settled = -1;
  TGameObjectKind SettledKind = go_none;
  bool Flat = false;
  bool Appearing = false;
  bool Disappearing = false;
};

TGameObjectKind KindAt(const TLandscape& land, int x, int z, int level) {
  return level >= 1 ? land.Object(x, z, level).Kind : go_none;
}

TTarget ReadTarget(const TLandscape& land, const TPointedSquare& pointed) {
  TTarget target;
  target.X = pointed.X;
  target.Z = pointed.Z;
  target.Valid =
      pointed.X >= 0 && pointed.X < land.GridSize && pointed.Z >= 0 && pointed.Z < land.GridSize;
  if (!target.Valid) return target;
  const int x = pointed.X;
  const int z = pointed.Z;
  target.HitLevel = land.LevelAtHeight(x, z, pointed.Height);
  target.HitKind = KindAt(land, x, z, target.HitLevel);
  target.Top = land.TopLevel(x, z);
  target.TopKind = KindAt(land, x, z, target.Top);
  target.Settled = land.TopSettledLevel(x, z);
  target.SettledKind = KindAt(land, x, z, target.Settled);
  target.Flat = land.IsFlatSquare(x, z);
  target.Appearing = HasObjectAnimation(land, x, z, ga_appear);
  target.Disappearing = HasObjectAnimation(land, x, z, ga_disappear);
  return target;
}

// A valid pointer on a flat square where nothing is vanishing: where objects may be created.
bool MayBuildOn(const TTarget& target) {
  return target.Valid && target.Flat && !target.Disappearing;
}

glm::vec3 EyeOf(const TPlayer& player) {
  return {static_cast<float>(player.X + 0.5), static_cast<float>(player.EyeHgt),
          static_cast<float>(player.Z + 0.5)};
}

}  // namespace

void TSimulation::Absorb(const TPointedSquare& pointed) {
  TLandscape& land = Landscape();
  if (land.Scanners(1).State == ss_Free) return;  // the Tolmarch has been absorbed
  const TTarget target = ReadTarget(land, pointed);
  const TPlayer& player = land.Player();
  if (!target.Valid || !target.Flat) return;
  const int x = target.X;
  const int z = target.Z;
  if (x == player.X && z == player.Z) return;

  if (target.Settled <= 0 || target.Appearing || target.Disappearing) return;
  if (!(player.EyeHgt > land.PointHeight(x, z))) return;
  const TStackedObject& bottom = land.Object(x, z, 1);
  bool seen = bottom.Kind == go_boulder && bottom.Animation < 0;
  if (!seen) seen = SquareInSight(x, z, EyeOf(player)) && target.TopKind != go_pedestal;
  if (target.SettledKind == go_tolmarch) seen = player.EyeHgt > land.Object(x, z, target.Top).Base;
  if (target.HitLevel >= 1 && target.HitKind == go_boulder) seen = true;
  if (!seen || target.Top != target.Settled) return;

  Host.RemoveHints('R');
  const double now = Host.GameClock();
  if (target.SettledKind == go_tolmarch || target.SettledKind == go_sentry) {
    ClearScannerAt(x, z);
    if (target.SettledKind == go_tolmarch) {
      land.StartAnimation(0, 0, 0, 0.0f, ga_LightOff, now, 3.0f, 0.0f, 0.0f);
      Host.AddHint(TolmarchAbsorbedHint);
    }
    land.StartAnimation(x, target.Top, z, 0.0f, ga_SoundAbsorbTolmarch, now, 2.0f, 0.0f, 0.0f);
  }
  land.RemoveGameObject(x, z, true, target.Settled);
  if (target.SettledKind != go_none)
    land.SetEnergy(CheckedAdd(land.Energy, ObjectEnergy[target.SettledKind]));
  StartScanners();
  land.StartAnimation(x, target.Top, z, 0.0f, ga_SoundAbsorb, now, 2.0f, 0.0f, 0.0f);
}

void TSimulation::CreateTree(const TPointedSquare& pointed) {
  TLandscape& land = Landscape();
  const TTarget target = ReadTarget(land, pointed);
  if (!MayBuildOn(target)) return;
  const bool onBoulders =
      KindAt(land, target.X, target.Z, 1) == go_boulder && target.TopKind == go_boulder;
  if (!(target.Top < 1 || onBoulders) || land.Energy < 1) return;

  const auto facing = static_cast<float>(Random.Random() * 360);
  if (land.AddGameObject(target.X, target.Z, go_tree, facing, true) == -1) return;
  land.StartAnimation(target.X, target.Top + 1, target.Z, 0.0f, ga_SoundCreateTree,
                      Host.GameClock(), 0.5f, 0.0f, 0.0f);
  land.SetEnergy(CheckedAdd(land.Energy, -ObjectEnergy[go_tree]));
  StartScanners();
  Host.RemoveHints('T');
  Host.AddHint(TreeHint);
}

void TSimulation::CreateBoulder(const TPointedSquare& pointed) {
  TLandscape& land = Landscape();
  const TTarget target = ReadTarget(land, pointed);
  if (!MayBuildOn(target)) return;
  if (!(target.Top < 1 || target.TopKind == go_boulder) || land.Energy < 2) return;

  const auto facing = static_cast<float>(Random.Random() * 360);
  if (land.AddGameObject(target.X, target.Z, go_boulder, facing, true) == -1) return;
  land.StartAnimation(target.X, target.Top + 1, target.Z, 0.0f, ga_SoundCreateBoulder,
                      Host.GameClock(), 0.5f, 0.0f, 0.0f);
  land.SetEnergy(CheckedAdd(land.Energy, -ObjectEnergy[go_boulder]));
  StartScanners();
  RaiseTension(1.0f);
  Host.RemoveHints('B');
  Host.AddHint(BoulderHint);
}

void TSimulation::CreateRobot(const TPointedSquare& pointed) {
  TLandscape& land = Landscape();
  const TTarget target = ReadTarget(land, pointed);
  if (!MayBuildOn(target)) return;
  bool placeable = target.Top < 1 || target.TopKind == go_boulder;
  if (target.TopKind == go_pedestal) {
    const TStackedObject& pedestal = land.Object(target.X, target.Z, target.Top);
    placeable = static_cast<double>(pedestal.Base + pedestal.Height) < land.Player().EyeHgt;
  }
  if (!placeable || land.Energy < 3) return;

  float facing = 0.0f;
  if (const TCamera* camera = Scene.GLCamera1) {
    const glm::vec3 from = camera->Position();
    facing = static_cast<float>(
        RadToDeg(std::atan2(double(from.x) - target.X, double(from.z) - target.Z)));
  }
  if (land.AddGameObject(target.X, target.Z, go_robot, facing, true) == -1) return;
  land.StartAnimation(target.X, target.Top + 1, target.Z, 0.0f, ga_SoundCreateRobot,
                      Host.GameClock(), 0.9f, 0.0f, 0.0f);
  RaiseTension(2.0f);
  land.SetEnergy(CheckedAdd(land.Energy, -ObjectEnergy[go_robot]));
  StartScanners();
  Host.RemoveHints('R');
  Host.RemoveHints('B');
  Host.AddHint(ShellHint);
}

void TSimulation::Transfer(const TPointedSquare& pointed) {
  TLandscape& land = Landscape();
  TPlayer& player = land.Player();
  const double now = Host.GameClock();
  auto onPedestal = [&land](int x, int z) {
    return static_cast<float>(x) == land.TolmarchX && static_cast<float>(z) == land.TolmarchZ;
  };
  if (onPedestal(player.X, player.Z)) {
    if (LandscapeEnding()) return;  // one leaving, once
    land.StartAnimation(0, 0, 0, 0.0f, ga_Leave, now, 1.5f, 0.0f, 0.0f);
    land.StartAnimation(player.X, land.TopSettledLevel(player.X, player.Z), player.Z, 0.0f,
                        ga_SoundLeave, now, 1.5f, 0.0f, 0.0f);
    return;
  }
  const TTarget target = ReadTarget(land, pointed);
  if (!target.Valid || !target.Flat) return;
  if (target.Settled < 1 || target.SettledKind != go_robot) return;
  if (target.Appearing || target.Disappearing) return;
  const int x = target.X;
  const int z = target.Z;

  StopAnimationSounds(2);

  // Where the view looked from before the move: the target's spot, at a height between the
  // old square's ground and the base read below.
  glm::vec3 old = Scene.DummyCube1 ? Scene.DummyCube1->Position() : glm::vec3(0.0f);
  const int oldTop = land.TopLevel(player.X, player.Z);
  const float oldGround = land.PointHeight(player.X, player.Z);
  const float oldBase = oldTop >= 1 ? land.Object(x, z, oldTop).Base : oldGround;
  old.y = (oldBase + oldGround) * 0.5f;

  Host.SetPlayerView(x, z, false, false);
  const glm::vec3 arrived(
      x + 0.5f, land.Object(x, z, target.Settled).Base + land.ObjectHeights[go_robot], z + 0.5f);
  const glm::vec3 move = arrived - old;
  if (Scene.DummyCube1 && Scene.GLCamera1 && glm::length(move) > 0.0f)
    Scene.DummyCube1->SetPosition(Scene.GLCamera1->Position() - 0.01f * glm::normalize(move));

  StartScanners();
  Host.RemoveHints('R');
  if (onPedestal(x, z)) {
    land.MainLightColour.r = 3.0f;
    land.MainLightColour.g = 2.4f;
    land.MainLightColour.b = 1.8f;
    land.StartAnimation(0, 0, 0, 0.0f, ga_FogOff, now, 10.0f, 0.0f, 0.0f);
    land.StartAnimation(0, 0, 0, 0.0f, ga_WinLightOn, now, 3.0f, 0.0f, 0.0f);
    Host.AddHint(PedestalHint);
  } else {
    RaiseTension(3.0f);
    Host.AddHint(AnotherShellHint);
  }
}

void TSimulation::HyperspaceAction() {
  TLandscape& land = Landscape();
  if (land.Energy < ObjectEnergy[go_robot]) return;
  RaiseTension(12.0f);
  land.Hyperspace(true);
  const TPlayer& player = land.Player();
  land.StartAnimation(player.X, land.TopSettledLevel(player.X, player.Z), player.Z, 0.0f,
                      ga_SoundHyperSpace, Host.GameClock(), 2.0f, 0.0f, 0.0f);
  StartScanners();
}

}  // namespace orvane
