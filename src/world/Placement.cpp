// Objects enter and leave the squares' stacks only here; the start of a landscape places the
// pedestal, the Tolmarch, the sentries and the trees, and hyperspace finds the player a low
// flat square.

#include <algorithm>
#include <cmath>
#include <limits>

#include "console/Log.h"
#include "dialogs/settings/GameSettings.h"
#include "scene/Scene.h"
#include "world/Landscape.h"
#include "world/MathKT.h"
#include "world/Random.h"
#include "world/WorldHost.h"

namespace orvane {

// ---- stacking objects

int TLandscape::AddGameObject(int x, int z, TGameObjectKind kind, float angle, bool animate) {
  const int top = TopLevel(x, z);
  if (top >= MaxStack) return -1;
  World.Host.NoteStackLevel(top);
  const float base =
      top < 1 ? PointHeight(x, z) : Object(x, z, top).Base + Object(x, z, top).Height;
  TSceneObject* shape = CreateGameShape(kind, x, z, base, angle, 1.0f);
  if (!shape || kind == go_none) return -1;

  const int level = std::max(top, 0) + 1;
  TStackedObject& object = Object(x, z, level);
  object.Kind = kind;
  object.Shape = shape;
  object.Base = base;
  object.Height = ObjectHeights[kind];
  object.Angle = angle;
  object.Animation = -1;  // a new object has no animation until one claims it

  if (!animate) {
    if (kind == go_tolmarch || kind == go_sentry) {
      const int n = FindFreeScanner();
      if (n > 0) SetUpScanner(n, x, z, level, base, kind, shape);
    }
    return level;
  }
  StartAnimation(x, level, z, 0.0f, ga_appear, World.Host.GameClock(), ObjectAnimTime[kind], 0.0f,
                 0.0f);
  World.Host.Wake();
  return level;
}

int TLandscape::PutGameObject(int x, int level, int z, TGameObjectKind kind, float base,
                              float angle, float growth) {
  if (level < 1 || level > MaxStack) return -1;  // checked before a shape is made
  TSceneObject* shape = CreateGameShape(kind, x, z, base, angle, growth);
  if (!shape || kind == go_none) return -1;
  TStackedObject& object = Object(x, z, level);
  object.Kind = kind;
  object.Base = base;
  object.Shape = shape;
  object.Height = ObjectHeights[kind];
  return level;
}

void TLandscape::RemoveGameObject(int x, int z, bool animate, int level) {
  if (level == -1) level = TopLevel(x, z);
  if (animate) {
    const TGameObjectKind kind = Object(x, z, level).Kind;
    StartAnimation(x, level, z, 0.0f, ga_disappear, World.Host.GameClock(), ObjectAnimTime[kind],
                   0.0f, 0.0f);
    return;
  }
  if (level < 1) return;
  // The animations acting on the object end with it. A sound playing at the same place runs
  // its own time: ending it here would cut it off whenever its object is rebuilt.
  for (int slot = 0; slot < AnimationSlots; ++slot) {
    TAnimation& animation = Animations(slot);
    if (animation.X == x && animation.Level == level && animation.Z == z &&
        animation.Kind <= LastObjectAnimation)
      animation.Kind = ga_static;
  }
  TStackedObject& object = Object(x, z, level);
  if (object.Shape) {
    if (TSceneObject* parent = object.Shape->Parent()) parent->DestroyChild(object.Shape);
    object.Shape = nullptr;
  }
  object.Kind = go_none;
  object.Animation = -1;
  World.Host.Wake();
}

// ---- scanners

int TLandscape::FindFreeScanner() {
  for (int n = 1; n <= MaxScanners; ++n) {
    if (Scanners(n).State == ss_Free) {
      World.Host.NoteScannerSlot(n);
      return n;
    }
  }
  return 0;
}

void TLandscape::ClearScanner(int n) {
  if (n < 1 || n > MaxScanners) return;
  TScanner& scanner = Scanners(n);
  scanner.PosX = scanner.PosZ = scanner.Level = -1;
  scanner.BaseHgt = scanner.ViewHgt = std::numeric_limits<double>::quiet_NaN();
  scanner.Shape = nullptr;
  scanner.Type = go_none;
  scanner.Seen = sn_NotSeen;
  scanner.State = ss_Free;
  scanner.ScanEff = 0.0f;
  scanner.DoBlank = 3;
  scanner.Blank = 0;
  scanner.Rotation = 28.0f;
  scanner.TTurn = 2.0f;
  scanner.TScan = 4.0f;
  scanner.TPlyr = 1.0f;
  scanner.TObje = 0.3f;
}

void TLandscape::SetUpScanner(int n, int x, int z, int level, float base, TGameObjectKind kind,
                              TSceneObject* shape) {
  TRandom& random = World.Random;
  const TGameSettings& settings = World.Settings;
  const double dd = Difficulty() * 0.01;
  const double e = 1.0 - dd;
  const double sentrySpeed = settings.S_SentrySpeed();
  const double scanSpeed = settings.S_ScanSpeed();

  TScanner& scanner = Scanners(n);
  scanner.PosX = x;
  scanner.PosZ = z;
  scanner.Level = level;
  scanner.BaseHgt = base;
  scanner.ViewHgt = static_cast<double>(base) + ObjectHeights[kind];
  scanner.Type = kind;
  scanner.Shape = shape;
  scanner.State = ss_Idle;
  scanner.Seen = sn_NotSeen;
  scanner.ScanEff = static_cast<float>(1 + 3 * random.Random());
  scanner.DoBlank = 1;
  scanner.Blank = 0;
  scanner.TTurn =
      static_cast<float>((0.5 * random.Random() + 1) * 3 * e / std::pow(2.0, sentrySpeed * 0.1));
  scanner.TScan = static_cast<float>((2 * random.Random() * e + 8.0 * e * e + 2) /
                                     std::pow(3.0, sentrySpeed * 0.125));
  scanner.TPlyr = static_cast<float>((3 * random.Random() * e + 8.0 * e * e + 0.5) /
                                     std::pow(3.0, scanSpeed * 0.125));
  scanner.TObje = static_cast<float>((2 * random.Random() * e + 6.0 * e + 0.5) /
                                     std::pow(3.0, scanSpeed * 0.125));
  double rotation = ((random.Random() * dd + dd) * 0.5 * 25 + 20) *
                    std::pow(3.0, settings.S_ScanSector() * 0.125);
  if (Difficulty() < 20)
    rotation = -rotation;
  else
    rotation *= (random.Random(2) - 0.5) * 2;
  scanner.Rotation = static_cast<float>(rotation);
}

// ---- the start of a landscape

void TLandscape::ClearGameObjects() {
  // Every stack touched, also those of an earlier, larger landscape; only the levels used.
  for (size_t point = 0; point < StackGrid.size(); ++point) {
    if (!Touched[point]) continue;
    for (int level = 1; level <= HighestLevelUsed; ++level) {
      TStackedObject& object = StackGrid[point][static_cast<size_t>(level - 1)];
      object.Kind = go_none;
      object.Shape = nullptr;  // the shapes go below, all at once
      object.Animation = -1;
    }
    Touched[point] = 0;
  }
  HighestLevelUsed = 0;
  World.Host.Wake();

  TScene& scene = World.Scene;
  if (scene.DummyCube1 && scene.DummyCube2) {
    // Every object shape hangs below DummyCube2, the trees' empty containers included.
    scene.DummyCube2->DestroyChildren();
  } else {
    World.Log.Log("Error 0003: OpenGL DummyCube1 not initialised @ Landscape.ClearGameObjects()");
  }
  for (int n = 1; n <= MaxScanners; ++n)
    ClearScanner(n);
  for (int slot = 0; slot < AnimationSlots; ++slot)
    Animations(slot) = TAnimation{};
}

void TLandscape::PositionStartGameObjects() {
  TRandom& random = World.Random;
  // A list shorter than the sites asked for places what it holds.
  const int sites = std::min(SiteCount, SquareCount + 1);
  for (int i = 0; i < sites; ++i) {
    const TSquareEntry entry = SquaresByHeight(i);
    if (!IsFlatAndEmpty(entry.X, entry.Z)) continue;
    if (i == 0) {
      AddGameObject(entry.X, entry.Z, go_pedestal, 0.0f, false);
      AddGameObject(entry.X, entry.Z, go_tolmarch, static_cast<float>(random.Random(360)), false);
      TolmarchX = static_cast<float>(entry.X);
      TolmarchZ = static_cast<float>(entry.Z);
      PedestalGround = PointHeight(entry.X, entry.Z);
      if (TLightSource* light = World.Scene.GLLightSource1) {
        light->SetPositionComponent(0, entry.X + 0.5f);
        light->SetPositionComponent(2, entry.Z + 0.5f);
      } else {
        World.Log.Log(
            "Error 0004: OpenGL GLLightSource1 not initialised @ "
            "Landscape.PositionStartGameObjects()");
      }
    } else {
      AddGameObject(entry.X, entry.Z, go_sentry, static_cast<float>(random.Random() * 360), false);
    }
  }

  // Trees: more with the height to climb, the difficulty and the resources setting. With
  // fewer than two flat squares in the list there is no height to climb.
  const float climb =
      SquareCount >= 1 ? SquaresByHeight(1).Height - SquaresByHeight(SquareCount).Height : 0.0f;
  const double difficulty = Difficulty();
  const int trees = Round((0.15 * random.Random() + 0.0001 * difficulty * difficulty + 1.1) *
                              std::pow(2.0, World.Settings.S_Resources() * 0.125) * 0.9 * climb /
                              (double(ObjectHeights[go_boulder]) * HeightStep) +
                          3.0);
  for (int tree = 0; tree < trees; ++tree) {
    for (int tries = 0;; ++tries) {
      const int x = random.Random(GridSize);
      const int z = random.Random(GridSize);
      if (tries == 400) break;  // the 401st pair is drawn but not looked at
      if (IsFlatAndEmpty(x, z)) {
        AddGameObject(x, z, go_tree, static_cast<float>(random.Random() * 360), false);
        break;
      }
    }
  }
}

void TLandscape::Hyperspace(bool chargeEnergy) {
  TRandom& random = World.Random;
  World.Host.LeaveMapView();
  auto usable = [&](int index) {
    return index >= 0 && index <= SquareCount &&
           IsFlatAndEmpty(SquaresByHeight(index).X, SquaresByHeight(index).Z);
  };

  int chosen = -1;
  for (int window = 4;;) {
    int candidate = -1;
    for (int tries = 0;;) {
      candidate = SquareCount - random.Random(window);
      ++tries;
      if (tries > 10) break;
      if (usable(candidate) && random.Random() > 0.5) break;
    }
    ++window;
    if (window > SquareCount) break;
    if (usable(candidate)) {
      chosen = candidate;
      break;
    }
  }
  if (chosen < 0) {
    for (int index = SquareCount; index >= 1; --index) {
      if (usable(index)) {
        chosen = index;
        break;
      }
    }
  }
  if (chosen < 0) return;

  if (chargeEnergy) {
    SetEnergy(Energy - ObjectEnergy[go_robot]);
    StartAnimation(0, 0, 0, 0.0f, ga_LightOn, World.Host.GameClock(), 2.0f, 0.0f, 0.0f);
  }
  const TSquareEntry& square = SquaresByHeight(chosen);
  World.Host.SetPlayerView(square.X, square.Z, true, false);
}

}  // namespace orvane
