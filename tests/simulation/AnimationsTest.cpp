#include <cmath>

#include <gtest/gtest.h>

#include "simulation/SimulationFixture.h"
#include "world/MathKT.h"

namespace orvane::test {
namespace {

class Animations : public ::testing::Test, public TSimulationFixture {
 protected:
  using TSimulationFixture::Run;
  Animations() : Land(MakeLandscape(1234, 20)) {}

  int Start(TAnimationKind kind, float duration, int x = 0, int level = 0, int z = 0) {
    return Land.StartAnimation(x, level, z, 0.0f, kind, Host.Clock, duration, 0.0f, 0.0f);
  }
  int Running(TAnimationKind kind) const {
    int count = 0;
    for (int slot = 0; slot < AnimationSlots; ++slot)
      count += Land.Animations(slot).Kind == kind;
    return count;
  }
  // A flat empty square away from the player.
  glm::ivec2 FreeSquare() const {
    for (int i = Land.SquareCount; i >= 0; --i) {
      const TSquareEntry& e = Land.SquaresByHeight(i);
      if (Land.TopLevel(e.X, e.Z) < 1 && (e.X != Land.Player().X || e.Z != Land.Player().Z))
        return {e.X, e.Z};
    }
    return {-1, -1};
  }
  int ShapeCount() const { return Scene.DummyCube2->Count(); }

  TLandscape& Land;
};

TEST_F(Animations, TheGameSpeedScalesEveryDuration) {
  Run(2.5);  // the landscape's own opening
  for (const auto& [speed, seconds] : {std::pair{8, 1.0}, {0, 3.0}, {-8, 9.0}}) {
    Settings.gs_S_GameSpeed(speed);
    const int slot = Start(ga_FogOff, 3.0f);
    EXPECT_NEAR(Land.Animations(slot).Duration, seconds, 1e-5) << speed;
    Run(seconds - 0.05, 0.01);
    EXPECT_EQ(Land.Animations(slot).Kind, ga_FogOff) << speed;
    Run(0.06, 0.01);
    EXPECT_EQ(Land.Animations(slot).Kind, ga_static) << speed;
  }
}

TEST_F(Animations, AFrameThatJumpsPastTheEndEndsInThatStep) {
  Run(2.5);
  const int slot = Start(ga_FogOff, 1.0f);
  Simulation.ProgressAnimations(5.0);
  EXPECT_EQ(Land.Animations(slot).Kind, ga_static);
  EXPECT_FLOAT_EQ(Land.Animations(slot).Progress, 5.0f);
  EXPECT_EQ(Scene.GLSceneViewer1.Fog.Color.a, 0.0f) << "the fog is gone";
}

TEST_F(Animations, TheLightsComeUpToThePaletteHoweverLongTheFrames) {
  for (const double frame : {1.0 / 60, 5.0}) {
    MakeLandscape(1234, 20);
    EXPECT_EQ(Scene.GLSceneViewer1.Fog.Color.a, 0.8f) << "a thick fog at first";
    Land.LeaveStarted = 1.0f;
    Run(2.05, frame);
    EXPECT_EQ(Running(ga_LightOn), 0);
    const glm::vec3 main(Land.MainLightColour), second(Land.SecondLightColour), sky(Land.SkyColour);
    EXPECT_EQ(glm::vec3(Scene.GLLightSource1->Diffuse()), main) << frame;
    EXPECT_EQ(glm::vec3(Scene.GLLightSource3->Diffuse()), second) << frame;
    EXPECT_EQ(glm::vec3(Scene.GLSceneViewer1.Fog.Color), sky) << frame;
    EXPECT_EQ(Scene.GLSceneViewer1.Fog.Color.a, Land.SkyColour.a) << frame;
    EXPECT_EQ(Scene.GLSceneViewer1.BackgroundColor, ColorNumber(Land.SkyColour)) << frame;
    EXPECT_EQ(Land.LeaveStarted, 0.0f);
  }
}

TEST_F(Animations, SoundsWithoutSoundRunTheirTimeAndTheHeartbeatStops) {
  ASSERT_FALSE(Game.Audio.AudioAvailable);
  ASSERT_EQ(Running(ga_SoundPulse1), 1) << "the landscape's first heartbeat";
  const int slot = Start(ga_SoundCreateTree, 0.5f);
  Run(0.45, 0.01);
  EXPECT_EQ(Land.Animations(slot).Kind, ga_SoundCreateTree);
  Run(0.1, 0.01);
  EXPECT_EQ(Land.Animations(slot).Kind, ga_static);
  Run(3.0);
  EXPECT_EQ(Running(ga_SoundPulse1) + Running(ga_SoundPulse2), 0);
}

TEST_F(Animations, WithSoundTheHeartbeatAlternatesAtThePlayersSquare) {
  Game.Audio.AudioAvailable = true;  // no library: the sounds have no source, the chain runs
  Game.Audio.PulseGap1 = 0.6f;
  Game.Audio.PulseGap2 = 0.36f;
  Run(3.05);
  ASSERT_EQ(Running(ga_SoundPulse2), 1);
  for (int slot = 0; slot < AnimationSlots; ++slot) {
    const TAnimation& a = Land.Animations(slot);
    if (a.Kind != ga_SoundPulse2) continue;
    EXPECT_EQ(a.X, Land.Player().X);
    EXPECT_EQ(a.Z, Land.Player().Z);
    EXPECT_EQ(a.Level, Land.TopSettledLevel(a.X, a.Z));
    EXPECT_FLOAT_EQ(a.Duration, 0.36f);
  }
  Run(0.36);
  EXPECT_EQ(Running(ga_SoundPulse1), 1);
}

TEST_F(Animations, ScanAndDrainSoundsRaiseTheTensionNeverPast100) {
  Game.Audio.Tension = 1.0f;
  Start(ga_SoundScan, 0.4f);
  Start(ga_SoundDrain, 1.0f);
  EXPECT_EQ(Game.Audio.Tension, 15.0f);
  Game.Audio.Tension = 97.0f;
  Start(ga_SoundDrain, 1.0f);
  EXPECT_EQ(Game.Audio.Tension, 100.0f);
  Start(ga_SoundScan, 1.0f);
  EXPECT_EQ(Game.Audio.Tension, 100.0f);
}

TEST_F(Animations, SilencingDrainsLeavesOtherSoundsAndReportsMissingSources) {
  const int scan = Start(ga_SoundScan, 5.0f);
  const int drain = Start(ga_SoundDrain, 5.0f);
  Log.Clear();
  Simulation.StopAnimationSounds(2);
  EXPECT_EQ(Land.Animations(scan).Kind, ga_SoundScan);
  EXPECT_EQ(Land.Animations(drain).Kind, ga_static);
  EXPECT_EQ(Log.GetLines(),
            std::vector<std::string>{"Error 0001: Attempted to stop sound (silence 2, animation "
                                     "type 19), where no sound exists"});
  Simulation.StopAnimationSounds(1);
  EXPECT_EQ(Land.Animations(scan).Kind, ga_static);
  EXPECT_EQ(Running(ga_SoundPulse1), 0);
}

TEST_F(Animations, AnAppearingObjectGrowsInPlaceAndEndsOpaque) {
  const glm::ivec2 sq = FreeSquare();
  ASSERT_GE(sq.x, 0);
  const int shapes = ShapeCount();
  const int level = Land.AddGameObject(sq.x, sq.y, go_robot, 30.0f, true);
  ASSERT_EQ(level, 1);
  const TStackedObject& object = Land.Object(sq.x, sq.y, level);
  const float base = object.Base;
  const int slot = object.Animation;
  ASSERT_GE(slot, 0);
  ASSERT_EQ(Land.Animations(slot).Kind, ga_appear);
  for (int frame = 0; frame < 12 && Land.Animations(slot).Kind == ga_appear; ++frame) {
    const auto* mesh = static_cast<const TMeshObject*>(object.Shape);
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->Material().BlendingMode, TBlendingMode::Transparency);
    EXPECT_FLOAT_EQ(mesh->Vertices()[0].Color.a, float(EaseInCos(Land.Animations(slot).Progress)));
    EXPECT_EQ(object.Kind, go_robot);
    EXPECT_EQ(object.Angle, 30.0f);
    EXPECT_EQ(object.Base, base);
    EXPECT_EQ(object.Animation, slot);
    EXPECT_EQ(ShapeCount(), shapes + 1) << "the old shape goes with each rebuild";
    Run(1.0 / 30, 1.0 / 30);
  }
  EXPECT_EQ(Land.Animations(slot).Kind, ga_static);
  EXPECT_EQ(object.Animation, -1);
  EXPECT_EQ(object.Shape->Material().BlendingMode, TBlendingMode::Opaque);
  EXPECT_EQ(object.Shape->Material().Diffuse.a, 1.0f);
  EXPECT_EQ(ShapeCount(), shapes + 1);
}

TEST_F(Animations, AGrownTreeHasBothPartsOpaque) {
  const glm::ivec2 sq = FreeSquare();
  const int level = Land.AddGameObject(sq.x, sq.y, go_tree, 0.0f, true);
  Run(1.0);
  const TSceneObject& tree = *Land.Object(sq.x, sq.y, level).Shape;
  ASSERT_EQ(tree.Count(), 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(tree.Child(i)->Material().Diffuse.a, 1.0f);
    EXPECT_EQ(tree.Child(i)->Material().BlendingMode, TBlendingMode::Opaque);
  }
}

TEST_F(Animations, AVanishingObjectIsGoneAtItsEnd) {
  const glm::ivec2 sq = FreeSquare();
  const int shapes = ShapeCount();
  const int level = Land.AddGameObject(sq.x, sq.y, go_boulder, 0.0f, false);
  Land.RemoveGameObject(sq.x, sq.y, true, level);
  EXPECT_EQ(Land.Object(sq.x, sq.y, level).Kind, go_boulder) << "still shrinking";
  Host.Asleep = true;
  Run(0.3);
  const TStackedObject& object = Land.Object(sq.x, sq.y, level);
  EXPECT_EQ(object.Kind, go_none);
  EXPECT_EQ(object.Shape, nullptr);
  EXPECT_EQ(object.Animation, -1);
  EXPECT_EQ(ShapeCount(), shapes);
  EXPECT_FALSE(Host.Asleep);
  EXPECT_EQ(Running(ga_disappear), 0);
}

TEST_F(Animations, ATurnMovesTheTolmarchToItsEndAngleEvenInOneFrame) {
  const int x = int(Land.TolmarchX), z = int(Land.TolmarchZ);
  const int level = Land.TopLevel(x, z);
  ASSERT_EQ(Land.Object(x, z, level).Kind, go_tolmarch);
  const float from = Land.Object(x, z, level).Angle;
  Land.StartAnimation(x, level, z, 0.0f, ga_rotate, Host.Clock, 1.0f, from, from + 40.0f);
  Run(0.5, 0.5);
  EXPECT_NEAR(Land.Object(x, z, level).Angle, from + 20.0f, 1e-3) << "half way at half time";
  Simulation.ProgressAnimations(1.0);  // p = 1.5
  EXPECT_EQ(Running(ga_rotate), 0);
  EXPECT_NEAR(Land.Object(x, z, level).Angle, from + 40.0f, 1e-3);
}

TEST_F(Animations, ATurnWhoseTolmarchWasAbsorbedChangesNothingFurther) {
  const int x = int(Land.TolmarchX), z = int(Land.TolmarchZ);
  const int level = Land.TopLevel(x, z);
  const int shapes = ShapeCount();
  const int slot = Land.StartAnimation(x, level, z, 0.0f, ga_rotate, Host.Clock, 1.0f, 0.0f, 90.0f);
  Run(0.2);
  Simulation.ClearScannerAt(x, z);
  Land.RemoveGameObject(x, z, true, level);
  Run(2.0);
  EXPECT_EQ(Land.Animations(slot).Kind, ga_static);
  EXPECT_EQ(Land.Object(x, z, level).Kind, go_none);
  EXPECT_EQ(Land.Object(x, z, level).Shape, nullptr);
  EXPECT_EQ(ShapeCount(), shapes - 1);
  // A turn left on an empty place builds nothing and ends all the same.
  const int late = Land.StartAnimation(x, level, z, 0.0f, ga_rotate, Host.Clock, 0.5f, 0.0f, 90.0f);
  Run(0.6);
  EXPECT_EQ(Land.Animations(late).Kind, ga_static);
  EXPECT_EQ(Land.Object(x, z, level).Kind, go_none);
  EXPECT_EQ(ShapeCount(), shapes - 1);
}

TEST_F(Animations, LeavingRaisesTheCameraIntoTheDark) {
  Run(2.5);
  const float height = Scene.GLCamera1->Position().y;
  Start(ga_Leave, 1.5f);
  EXPECT_EQ(Land.LeaveStarted, 1.0f);
  EXPECT_EQ(Scene.GLCamera1->DepthOfView(), Land.GridSize * 6.0f);
  Run(1.4);
  EXPECT_GT(Scene.GLCamera1->Position().y, height + 1.0f);
  EXPECT_LT(Scene.GLLightSource1->Diffuse().r, 0.1f * Land.MainLightColour.r);
  EXPECT_GT(Scene.GLSceneViewer1.Fog.Color.a, 0.8f);
}

TEST_F(Animations, ALostGameSinksIntoRedFogAndEndsOnce) {
  Run(2.5);
  ASSERT_TRUE(Land.Player().Alive);
  Land.SetEnergy(-1);
  Land.SetEnergy(-2);
  EXPECT_EQ(Running(ga_Dead), 1);
  Run(1.5);
  const TColor fog = Scene.GLSceneViewer1.Fog.Color;
  EXPECT_GT(fog.r, 0.9f);
  EXPECT_LT(fog.g, 0.3f);
  EXPECT_EQ(Scene.GLSceneViewer1.BackgroundColor, ColorNumber(fog));
  EXPECT_TRUE(Host.Results.empty());
  Run(1.0);
  EXPECT_EQ(Host.Results.size(), 1u);
  EXPECT_EQ(Running(ga_Dead), 0);
}

}  // namespace
}  // namespace orvane::test
