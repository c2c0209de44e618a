// The animation table's steps: objects growing, shrinking and turning, the lights and fog
// of the landscape's start and end, and every sound, each one ending in its own action.

#include <algorithm>
#include <array>

#include "audio/Audio.h"
#include "scene/Scene.h"
#include "simulation/Simulation.h"
#include "world/Game.h"
#include "world/Landscape.h"
#include "world/MathKT.h"

namespace orvane {

namespace {

bool IsObjectAnimation(TAnimationKind kind) {
  return kind <= ga_FissionMove;
}

bool IsSceneAnimation(TAnimationKind kind) {
  return kind >= ga_LightOff && kind <= ga_Dead;
}

bool IsStandingObject(TGameObjectKind kind) {
  return kind >= go_tree && kind <= go_sentry;
}

// What a sound animation plays, how loud, and how much it raises the tension as it starts.
struct TAnimationSound {
  uint32_t TAudio::*Buffer;
  float Gain;
  float Tension;
};

TAnimationSound SoundOf(TAnimationKind kind) {
  switch (kind) {
    case ga_SoundScan:
      return {&TAudio::SndScan, 0.8f, 6.0f};
    case ga_SoundCreateBoulder:
      return {&TAudio::SndCreateBoulder, 0.8f, 0.0f};
    case ga_SoundCreateTree:
      return {&TAudio::SndCreateTree, 0.8f, 0.0f};
    case ga_SoundCreateRobot:
      return {&TAudio::SndCreateRobot, 1.0f, 0.0f};
    case ga_SoundDrain:
      return {&TAudio::SndDrain, 1.0f, 8.0f};
    case ga_SoundPulse1:
      return {&TAudio::SndPulse1, 0.08f, 0.0f};
    case ga_SoundPulse2:
      return {&TAudio::SndPulse2, 0.042f, 0.0f};
    case ga_SoundHyperSpace:
      return {&TAudio::SndHyperSpace, 0.2f, 0.0f};
    case ga_SoundRotate:
      return {&TAudio::SndRotate, 0.4f, 0.0f};
    case ga_SoundAbsorbTolmarch:
      return {&TAudio::SndAbsorbTolmarch, 0.8f, 0.0f};
    case ga_SoundLeave:
      return {&TAudio::SndLeave, 1.0f, 0.0f};
    default:  // ga_SoundAbsorb
      return {&TAudio::SndAbsorb, 0.3f, 0.0f};
  }
}

void SetDiffuse(TLightSource* light, double scale, const TColor& colour) {
  if (light)
    light->SetDiffuseRGB(static_cast<float>(scale * colour.r), static_cast<float>(scale * colour.g),
                         static_cast<float>(scale * colour.b));
}

void SetGrey(TLightSource* light, double value) {
  const float v = static_cast<float>(value);
  if (light) light->SetDiffuseRGB(v, v, v);
}

// The fog's colour (its alpha untouched) and the background, both the same colour.
void SetSkyColour(TSceneViewer& viewer, const glm::vec3& colour) {
  viewer.Fog.Color = TColor(colour, viewer.Fog.Color.a);
  viewer.BackgroundColor = ColorNumber(TColor(colour, 1.0f));
}

// A finished object is drawn opaque: both parts of a tree, the one mesh of anything else.
void MakeOpaque(TSceneObject& shape, TGameObjectKind kind) {
  auto opaque = [](TSceneObject& part) {
    TMaterial& material = part.EditMaterial();
    material.Diffuse.a = 1.0f;
    material.BlendingMode = TBlendingMode::Opaque;
  };
  if (kind != go_tree) {
    opaque(shape);
    return;
  }
  for (int i = 0; i < shape.Count(); ++i)
    if (TSceneObject* part = shape.Child(i)) opaque(*part);
}

}  // namespace

// Every running slot, in order, takes the frame's time and its step. A slot started during
// the pass at a higher index than the one being stepped is met by the pass and stepped once,
// with the part of the frame that was left when it started: what an animation ending in this
// frame starts begins where it ended, so a long frame runs a scanner's waits one after the
// other for as long as the frame lasts, and no longer.
void TSimulation::ProgressAnimations(double frameTime) {
  TLandscape& land = Landscape();
  TPass pass;
  pass.StartedWith.fill(-1.0);
  // The pass is the active one until it returns, however it returns.
  struct TActive {
    TPass*& Active;
    TPass* Outer;
    ~TActive() { Active = Outer; }
  } active{ActivePass, ActivePass};
  ActivePass = &pass;

  int highest = 0;
  for (int slot = 0; slot < AnimationSlots; ++slot) {
    TAnimation& animation = land.Animations(slot);
    const TAnimationKind kind = animation.Kind;
    if (kind == ga_static) continue;
    highest = slot;
    const double startedWith = pass.StartedWith[static_cast<size_t>(slot)];
    // One that started as the frame ended has had its first step, and no time yet.
    if (startedWith == 0.0) continue;
    const double time = startedWith > 0.0 ? startedWith : frameTime;
    animation.Elapsed = static_cast<float>(animation.Elapsed + time);
    // An animation of no length (a scanner with no turn time) ends at its first frame.
    const double progress =
        animation.Duration > 0.0f ? double(animation.Elapsed) / animation.Duration : 1.0;
    pass.Current = slot;
    pass.TimeLeft = animation.Duration > 0.0f
                        ? std::clamp(double(animation.Elapsed) - animation.Duration, 0.0, time)
                        : time;
    try {
      StepAnimation(slot, static_cast<float>(progress));
    } catch (...) {
      // A step that fails would fail again on every frame: it ends here.
      if (land.Animations(slot).Kind == kind) land.Animations(slot).Kind = ga_static;
      throw;
    }
  }
  if (highest > 0) land.LastAnimation = highest;
}

void TSimulation::AnimationStarted(int slot, float progress) {
  // Started by a step of this frame's pass: the pass meets it if it lies ahead, with the time
  // left in the frame after the step's own animation ended.
  if (ActivePass && slot > ActivePass->Current)
    ActivePass->StartedWith[static_cast<size_t>(slot)] = ActivePass->TimeLeft;
  StepAnimation(slot, progress);
}

void TSimulation::RaiseTension(float amount) {
  TAudio& audio = Game.Audio;
  audio.Tension = std::clamp(audio.Tension + amount, 1.0f, 100.0f);
}

void TSimulation::StepAnimation(int slot, float progress) {
  TAnimation& animation = Landscape().Animations(slot);
  const double p = progress < 0.0f ? 0.0 : progress;
  const double e = p <= 1.0 ? EaseInCos(p) : 1.0;
  animation.Progress = static_cast<float>(p);
  const TAnimationKind kind = animation.Kind;
  if (kind == ga_static) return;
  if (IsObjectAnimation(kind))
    StepObjectAnimation(slot, p, e);
  else if (IsSceneAnimation(kind))
    StepSceneAnimation(slot, p, e);
  else
    StepSoundAnimation(slot, p);
}

// ---- objects

void TSimulation::RebuildObject(int slot, float growth, float angle) {
  TLandscape& land = Landscape();
  const TAnimation kept = land.Animations(slot);
  TStackedObject& object = land.Object(kept.X, kept.Z, kept.Level);
  const TGameObjectKind kind = object.Kind;
  const float base = object.Base;
  const int32_t claimedBy = object.Animation;
  land.RemoveGameObject(kept.X, kept.Z, false, kept.Level);
  land.PutGameObject(kept.X, kept.Level, kept.Z, kind, base, angle, growth);
  land.Animations(slot) = kept;
  object.Angle = angle;
  object.Animation = claimedBy;
  // A scanner standing there looks through its new shape.
  for (int n = 1; n <= MaxScanners; ++n) {
    TScanner& scanner = land.Scanners(n);
    if (scanner.State != ss_Free && scanner.PosX == kept.X && scanner.PosZ == kept.Z &&
        scanner.Level == kept.Level)
      scanner.Shape = object.Shape;
  }
}

void TSimulation::StepObjectAnimation(int slot, double p, double e) {
  TLandscape& land = Landscape();
  TAnimation& animation = land.Animations(slot);
  const int x = animation.X, z = animation.Z;
  const TAnimationKind kind = animation.Kind;
  TStackedObject& object = land.Object(x, z, animation.Level);
  const TGameObjectKind objectKind = object.Kind;
  object.Animation = slot;
  const bool ends = p >= 1.0;

  switch (kind) {
    case ga_appear:
      if (!ends) {
        if (IsStandingObject(objectKind)) RebuildObject(slot, static_cast<float>(e), object.Angle);
        return;
      }
      if (IsStandingObject(objectKind) && object.Shape) MakeOpaque(*object.Shape, objectKind);
      object.Animation = -1;
      animation.Kind = ga_static;
      return;

    case ga_disappear:
      if (!ends) {
        if (IsStandingObject(objectKind))
          RebuildObject(slot, static_cast<float>(1.0 - e), object.Angle);
        return;
      }
      animation.Kind = ga_static;
      if (object.Shape) {
        if (TSceneObject* parent = object.Shape->Parent()) parent->DestroyChild(object.Shape);
        object.Shape = nullptr;
      }
      object.Kind = go_none;
      object.Animation = -1;
      Host.SetAsleep(false);
      return;

    case ga_rotate:
      if (objectKind == go_tolmarch || objectKind == go_sentry) {
        // A frame that jumps past the end turns the object no further than its end angle.
        const double turned = EaseInOutCos(std::min(p, 1.0));
        const double angle = animation.From + (animation.To - animation.From) * turned;
        RebuildObject(slot, 1.0f, static_cast<float>(angle));
      }
      if (!ends) return;
      animation.Kind = ga_static;
      object.Animation = -1;
      Host.SetAsleep(true);
      TurnEnded(x, z);  // may start animations, this slot's next one among them
      return;

    case ga_Scan:
      if (!ends) return;
      animation.Kind = ga_static;
      object.Animation = -1;
      ScanEnded(x, z);
      return;

    default:  // kinds that nothing starts
      if (ends) animation.Kind = ga_static;
      return;
  }
}

// ---- lights, fog and camera

void TSimulation::StepSceneAnimation(int slot, double p, double e) {
  TLandscape& land = Landscape();
  TAnimation& animation = land.Animations(slot);
  const TAnimationKind kind = animation.Kind;
  TSceneViewer& viewer = Scene.GLSceneViewer1;
  const glm::vec3 sky(land.SkyColour);
  const double skyAlpha = land.SkyColour.a;
  // The last step leaves everything as the animation's end shows it, however far the frame
  // time jumped past it.
  const double q = std::min(p, 1.0);
  const bool ends = p >= 1.0;

  switch (kind) {
    case ga_LightOff:
      SetGrey(Scene.GLLightSource1, DecayReciprocal(q) * land.MainLightColour.r);
      break;
    case ga_LightOn: {
      const double r = GrowReciprocal(q);
      SetDiffuse(Scene.GLLightSource1, r, land.MainLightColour);
      SetDiffuse(Scene.GLLightSource3, r, land.SecondLightColour);
      viewer.Fog.Color.a = static_cast<float>(
          DecayReciprocal(DecayReciprocal(DecayReciprocal(q))) * (0.8 - skyAlpha) + skyAlpha);
      SetSkyColour(viewer, static_cast<float>(r) * sky);
      break;
    }
    case ga_FogOff:
      viewer.Fog.Color.a = static_cast<float>(DecayReciprocal(q) * skyAlpha);
      break;
    case ga_WinLightOn:
      SetDiffuse(Scene.GLLightSource1, GrowReciprocal(q), land.MainLightColour);
      SetDiffuse(Scene.GLLightSource3, DecayReciprocal(q), land.SecondLightColour);
      break;
    case ga_Leave: {
      if (land.LeaveStarted == 0.0f) {
        land.LeaveStarted = 1.0f;
        if (Scene.GLCamera1) Scene.GLCamera1->SetDepthOfView(land.GridSize * 6.0f);
      }
      const double f = DecayReciprocal(q);
      if (TCamera* camera = Scene.GLCamera1) {
        const double rise =
            EaseInCos(EaseInCos(EaseInCos(q))) * land.GridSize * Host.LastDeltaTime() * 9.0;
        glm::vec3 position = camera->Position();
        position.y = static_cast<float>(position.y + rise);
        camera->SetPosition(position);
      }
      SetGrey(Scene.GLLightSource1, f * land.MainLightColour.r);
      viewer.Fog.Color.a = static_cast<float>(EaseInCos(EaseInCos(q)));
      SetSkyColour(viewer, static_cast<float>(f) * sky);
      break;
    }
    default: {  // ga_Dead: the red fog of a lost game
      viewer.Fog.Color.a = static_cast<float>((1.0 - q) * skyAlpha + 0.45 * q);
      const glm::vec3 red(1.0f, 0.2f, 0.2f);
      SetSkyColour(viewer, static_cast<float>(1.0 - e) * sky + static_cast<float>(e) * red);
      break;
    }
  }
  if (!ends) return;

  // Released first: the end of a game may remake the whole table.
  animation.Kind = ga_static;
  if (kind == ga_LightOn) land.LeaveStarted = 0.0f;
  if (kind == ga_Leave) GameEnd(false);
  if (kind == ga_Dead) GameEnd(true);
}

// ---- sounds

void TSimulation::StepSoundAnimation(int slot, double p) {
  TLandscape& land = Landscape();
  TAnimation& animation = land.Animations(slot);
  const TAnimationKind kind = animation.Kind;
  const TAnimationSound sound = SoundOf(kind);
  TAudio& audio = Game.Audio;
  if (p == 0.0 && animation.Source == 0) {
    RaiseTension(sound.Tension);
    PlayAnimationSound(slot, kind == ga_SoundRotate, audio.*sound.Buffer, sound.Gain);
  }
  if (p < 1.0) return;

  StopSound(slot);
  // Released whether its sound started or not.
  animation.Kind = ga_static;

  // The heartbeat goes on, one heart sound after the other, only while sound plays.
  if ((kind == ga_SoundPulse1 || kind == ga_SoundPulse2) && audio.AudioAvailable) {
    const TPlayer& player = land.Player();
    const bool first = kind == ga_SoundPulse1;
    land.StartAnimation(player.X, land.TopSettledLevel(player.X, player.Z), player.Z, 0.0f,
                        first ? ga_SoundPulse2 : ga_SoundPulse1, Host.GameClock(),
                        first ? audio.PulseGap2 : audio.PulseGap1, 0.0f, 0.0f);
  }
}

}  // namespace orvane
