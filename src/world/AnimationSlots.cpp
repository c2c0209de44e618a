#include <cmath>
#include <string>

#include "console/Log.h"
#include "dialogs/settings/GameSettings.h"
#include "world/Landscape.h"
#include "world/WorldHost.h"

namespace orvane {

const char* AnimationKindName(TAnimationKind kind) {
  static const char* const names[AnimationKindCount] = {"ga_static",
                                                        "ga_appear",
                                                        "ga_disappear",
                                                        "ga_rotate",
                                                        "ga_Scan",
                                                        "ga_Drain",
                                                        "ga_BlobIncrease",
                                                        "ga_FissionEmit",
                                                        "ga_FissionMove",
                                                        "ga_LightOff",
                                                        "ga_LightOn",
                                                        "ga_FogOff",
                                                        "ga_WinLightOn",
                                                        "ga_Leave",
                                                        "ga_Dead",
                                                        "ga_SoundScan",
                                                        "ga_SoundCreateBoulder",
                                                        "ga_SoundCreateTree",
                                                        "ga_SoundCreateRobot",
                                                        "ga_SoundDrain",
                                                        "ga_SoundPulse1",
                                                        "ga_SoundPulse2",
                                                        "ga_SoundHyperSpace",
                                                        "ga_SoundRotate",
                                                        "ga_SoundAbsorbTolmarch",
                                                        "ga_SoundLeave",
                                                        "ga_SoundAbsorb"};
  return kind < AnimationKindCount ? names[kind] : "unknown";
}

double TLandscape::GameSpeedFactor() const {
  return std::pow(3.0, World.Settings.S_GameSpeed() * 0.125);
}

int TLandscape::StartAnimation(int x, int level, int z, float initialProgress, TAnimationKind kind,
                               double startTime, float duration, float from, float to) {
  int slot = 0;
  while (slot < UsableAnimationSlots && Animations(slot).Kind != ga_static)
    ++slot;
  if (slot == UsableAnimationSlots) {
    World.Log.Log("Diagnostic: Failed to start Animation; Exceeded maximum of " +
                  std::to_string(UsableAnimationSlots) + " animations.");
    return -1;
  }
  TAnimation& animation = Animations(slot);
  animation = TAnimation{};
  animation.X = x;
  animation.Level = level;
  animation.Z = z;
  animation.StartTime = static_cast<float>(startTime);
  animation.Duration = static_cast<float>(duration / GameSpeedFactor());
  animation.Kind = kind;
  animation.From = from;
  animation.To = to;
  if (slot > LastAnimation) LastAnimation = slot;
  Runner().AnimationStarted(slot, initialProgress);
  return slot;
}

}  // namespace orvane
