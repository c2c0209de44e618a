#pragma once

#include <array>
#include <cstdint>

#include <glm/glm.hpp>

namespace orvane {

class TSceneObject;

enum TGameObjectKind : uint8_t {
  go_none = 0,
  go_tree = 1,
  go_boulder = 2,
  go_robot = 3,
  go_pedestal = 4,
  go_tolmarch = 5,
  go_sentry = 6,
};
constexpr int GameObjectKindCount = 7;

// What absorbing an object gives and what creating one costs.
constexpr std::array<int32_t, GameObjectKindCount> ObjectEnergy{0, 1, 2, 3, 0, 4, 3};
// How long an object takes to appear or vanish, in seconds, before the game speed.
constexpr std::array<float, GameObjectKindCount> ObjectAnimTime{0.001f, 0.2f, 0.2f, 0.35f,
                                                                1.0f,   1.2f, 1.2f};

const char* GameObjectKindName(TGameObjectKind kind);  // "tree", "boulder", ...

constexpr int MaxStack = 18;
constexpr int MaxScanners = 14;
constexpr int AnimationSlots = 256;
constexpr int UsableAnimationSlots = 255;
// A landscape uses grid points 0..GridSize with GridSize up to 128.
constexpr int MaxGridSize = 128;
constexpr int PointsPerSide = MaxGridSize + 1;
constexpr int SquareListSize = 16129;

// One slot of a square's stack of objects; level 1 is at the bottom.
struct TStackedObject {
  TGameObjectKind Kind = go_none;
  TSceneObject* Shape = nullptr;  // owned by the slot, lives in the scene
  float Base = 0.0f;              // height of the object's bottom
  float Height = 0.0f;            // the object's own height when it was placed
  float Angle = 0.0f;             // the direction it faces, degrees
  int32_t AnimationWord1 = 0;     // kept for the animation system
  int32_t AnimationWord2 = 0;
  int32_t Animation = -1;  // the animation slot acting on it, -1 when none
};

// One grid point, also standing for the square whose lowest corner it is. The square's stack
// of objects is kept beside the grid (TLandscape::Object), so that the heights form one small,
// dense table that the scanners' searches over random squares read from the cache.
struct TLandscapePoint {
  float Height = 0.0f;
};

// The objects stacked on one square; [0] is level 1.
using TObjectStack = std::array<TStackedObject, MaxStack>;

struct TPlayer {
  int32_t X = 0;
  int32_t Z = 0;
  double EyeHgt = 0.0;
  glm::vec3 ViewDir{0.0f};
  int32_t Energy = 0;
  bool Cheat = false;
  bool Alive = false;
};

enum TScannerState : uint8_t {
  ss_Idle = 0,
  ss_Scan = 1,
  ss_Drain = 3,
  ss_Seen = 4,
  ss_Free = 5,
};

// What a scanner's last look or scan made of the player.
enum TSeenState : uint8_t {
  sn_NotSeen = 0,
  sn_Seen = 1,     // seen: the scan sound
  sn_Drained = 2,  // seen and drained
};

// The Tolmarch's or a sentry's scanner.
struct TScanner {
  int32_t PosX = 0;
  int32_t PosZ = 0;
  int32_t Level = 0;
  double BaseHgt = 0.0;
  double ViewHgt = 0.0;
  TSceneObject* Shape = nullptr;
  TGameObjectKind Type = go_none;
  TSeenState Seen = sn_NotSeen;
  uint8_t State = 0;
  int32_t DoBlank = 0;
  int32_t Blank = 0;
  float ScanEff = 0.0f;
  float Rotation = 0.0f;
  float TTurn = 0.0f;
  float TScan = 0.0f;
  float TPlyr = 0.0f;
  float TObje = 0.0f;
};

enum TAnimationKind : uint8_t {
  ga_static = 0,
  ga_appear,
  ga_disappear,
  ga_rotate,
  ga_Scan,
  ga_Drain,
  ga_BlobIncrease,
  ga_FissionEmit,
  ga_FissionMove,
  ga_LightOff,
  ga_LightOn,
  ga_FogOff,
  ga_WinLightOn,
  ga_Leave,
  ga_Dead,
  ga_SoundScan,
  ga_SoundCreateBoulder,
  ga_SoundCreateTree,
  ga_SoundCreateRobot,
  ga_SoundDrain,
  ga_SoundPulse1,
  ga_SoundPulse2,
  ga_SoundHyperSpace,
  ga_SoundRotate,
  ga_SoundAbsorbTolmarch,
  ga_SoundLeave,
  ga_SoundAbsorb,
};
constexpr int AnimationKindCount = 27;
// Kinds up to this one act on one stacked object; the later ones on the scene or a sound.
constexpr TAnimationKind LastObjectAnimation = ga_FissionMove;
const char* AnimationKindName(TAnimationKind kind);  // "ga_static", "ga_appear", ...

// One animation slot; Kind 0 marks a free slot.
struct TAnimation {
  int32_t X = 0;
  int32_t Level = 0;
  int32_t Z = 0;
  TAnimationKind Kind = ga_static;
  float StartTime = 0.0f;
  float Duration = 0.0f;
  float Elapsed = 0.0f;
  float Progress = 0.0f;
  uint32_t Source = 0;
  glm::vec3 SourcePosition{0.0f};
  glm::vec3 SourceVelocity{0.0f};
  float From = 0.0f;
  float To = 0.0f;
};

struct TSquareEntry {
  int32_t X = 0;
  int32_t Z = 0;
  float Height = 0.0f;
  bool Keep = false;
};

}  // namespace orvane
