// The sound record's game layer: every sound belongs to an animation slot, which holds its
// source from the first step to the last.

#include <exception>
#include <string>

#include "audio/Audio.h"
#include "console/Log.h"
#include "simulation/Simulation.h"
#include "world/Game.h"
#include "world/Landscape.h"

namespace orvane {

namespace {

bool IsSoundAnimation(TAnimationKind kind) {
  return kind >= ga_SoundScan && kind <= ga_SoundAbsorb;
}

}  // namespace

void TSimulation::PlayAnimationSound(int slot, bool loop, uint32_t buffer, float gain) {
  if (!Game.Audio.AudioAvailable || slot < 0) return;
  TLandscape& land = Landscape();
  TAnimation& animation = land.Animations(slot);
  // Sound axes: the grid's X, the grid's Z, the height negated.
  float height = 0.0f;
  if (animation.Level >= 1) {
    const TStackedObject& object = land.Object(animation.X, animation.Z, animation.Level);
    height = object.Base + 0.5f * object.Height;
  } else {
    height = land.PointHeight(animation.X, animation.Z);
  }
  animation.SourcePosition = {animation.X + 0.5f, animation.Z + 0.5f, -height};
  animation.SourceVelocity = glm::vec3(0.0f);
  animation.Source = PlaySource(Game.Audio, buffer, gain, loop, animation.SourcePosition,
                                animation.SourceVelocity);
}

void TSimulation::SetSoundPitch(int slot, float pitch) {
  if (!Game.Audio.AudioAvailable || slot < 0) return;
  SetSourcePitch(Game.Audio, Landscape().Animations(slot).Source, pitch);
}

void TSimulation::StopSound(int slot) {
  if (!Game.Audio.AudioAvailable || slot < 0) return;
  TAnimation& animation = Landscape().Animations(slot);
  animation.Kind = ga_static;
  StopAndDeleteSource(Game.Audio, animation.Source);
  animation.Source = 0;
}

void TSimulation::StopAnimationSounds(int mode) {
  TLandscape& land = Landscape();
  for (int slot = 0; slot < AnimationSlots; ++slot) {
    TAnimation& animation = land.Animations(slot);
    const TAnimationKind kind = animation.Kind;
    const bool selected =
        (mode == 1 && IsSoundAnimation(kind)) || (mode == 2 && kind == ga_SoundDrain);
    if (!selected) continue;
    // Without sound there is no source to look for: the slot is only released.
    if (!Game.Audio.AudioAvailable) {
      animation.Kind = ga_static;
      continue;
    }
    const std::string what = "(silence " + std::to_string(mode) + ", animation type " +
                             std::to_string(static_cast<int>(kind));
    if (!SourceExists(Game.Audio, animation.Source)) {
      Log.Log("Error 0001: Attempted to stop sound " + what + "), where no sound exists");
    } else {
      try {
        StopAndDeleteSource(Game.Audio, animation.Source);
        animation.Source = 0;
      } catch (const std::exception&) {
        Log.Log("Error 0002: Exception when silencing OpenAl source " + what + ").");
      }
    }
    animation.Kind = ga_static;
  }
}

}  // namespace orvane
