#include <tuple>

#include <gtest/gtest.h>

#include "simulation/SimulationFixture.h"
#include "world/MathKT.h"

namespace orvane::test {
namespace {

struct Animations : ::testing::Test, TSimulationFixture {
  TLandscape& Land = MakeLandscape(1234, 20);

  int Start(TAnimationKind kind, float duration) {
    return Land.StartAnimation(0, 0, 0, 0.0f, kind, Host.Clock, duration, 0.0f, 0.0f);
  }
  int ShapeCount() const { return Scene.DummyCube2->Count(); }
};

// Scene animations and silent sounds alike; a long frame ends them in the step that passes the end.
TEST_F(Animations, EveryDurationFollowsTheGameSpeedAndEndsInTheStepThatPassesIt) {
  Advance(2.5);  // the landscape's own opening
  for (const auto& [speed, seconds] : {std::pair{8, 1.0}, {0, 3.0}, {-8, 9.0}}) {
    Settings.gs_S_GameSpeed(speed);
    const int fog = Start(ga_FogOff, 3.0f), sound = Start(ga_SoundCreateTree, 3.0f);
    const auto kinds = [&] {
      return std::tuple(Land.Animations(fog).Kind, Land.Animations(sound).Kind);
    };
    Advance(seconds - 0.05, 0.01);
    EXPECT_EQ(kinds(), std::tuple(ga_FogOff, ga_SoundCreateTree)) << speed;
    Advance(0.06, 0.01);
    EXPECT_EQ(kinds(), std::tuple(ga_static, ga_static)) << speed;
  }
  Settings.gs_S_GameSpeed(0);
  const int slot = Start(ga_FogOff, 1.0f);
  Simulation.ProgressAnimations(5.0);
  EXPECT_EQ(std::tuple(Land.Animations(slot).Kind, Land.Animations(slot).Progress,
                       Scene.GLSceneViewer1.Fog.Color.a),
            std::tuple(ga_static, 5.0f, 0.0f));
}

TEST_F(Animations, TheLightsComeUpToThePaletteHoweverLongTheFrames) {
  for (const double frame : {1.0 / 60, 5.0}) {
    MakeLandscape(1234, 20);
    EXPECT_EQ(Scene.GLSceneViewer1.Fog.Color.a, 0.8f) << "a thick fog at first";
    Land.LeaveStarted = 1.0f;
    Advance(2.05, frame);
    EXPECT_EQ(std::tuple(Running(ga_LightOn), glm::vec3(Scene.GLLightSource1->Diffuse()),
                         glm::vec3(Scene.GLLightSource3->Diffuse()), Scene.GLSceneViewer1.Fog.Color,
                         Scene.GLSceneViewer1.BackgroundColor, Land.LeaveStarted),
              std::tuple(0, glm::vec3(Land.MainLightColour), glm::vec3(Land.SecondLightColour),
                         Land.SkyColour, ColorNumber(Land.SkyColour), 0.0f))
        << frame;
  }
}

TEST_F(Animations, TheHeartbeatGoesOnOnlyWithSoundAlternatingAtThePlayersSquare) {
  ASSERT_EQ(Running(ga_SoundPulse1), 1) << "the landscape's first heartbeat";
  Advance(3.0);
  EXPECT_EQ(Running(ga_SoundPulse1) + Running(ga_SoundPulse2), 0);

  Game.Audio.AudioAvailable = true;  // no library: the sounds have no source, the chain runs
  Game.Audio.PulseGap1 = 0.6f;
  Game.Audio.PulseGap2 = 0.36f;
  Start(ga_SoundPulse1, 0.6f);
  Advance(0.65);
  ASSERT_EQ(Running(ga_SoundPulse2), 1);
  for (int slot = 0; slot < AnimationSlots; ++slot) {
    if (const TAnimation& a = Land.Animations(slot); a.Kind == ga_SoundPulse2) {
      EXPECT_EQ(
          std::tuple(a.X, a.Z, a.Level, a.Duration),
          std::tuple(Land.Player().X, Land.Player().Z, Land.TopSettledLevel(a.X, a.Z), 0.36f));
    }
  }
  Advance(0.36);
  EXPECT_EQ(Running(ga_SoundPulse1), 1);
}

// Silencing the drains leaves other sounds; without sound there is nothing to report.
TEST_F(Animations, ScanAndDrainSoundsRaiseTheTensionNeverPast100) {
  Game.Audio.Tension = 1.0f;
  const int scan = Start(ga_SoundScan, 5.0f);
  Start(ga_SoundDrain, 1.0f);
  EXPECT_EQ(Game.Audio.Tension, 15.0f);
  Game.Audio.Tension = 97.0f;
  Start(ga_SoundDrain, 1.0f);
  EXPECT_EQ(Game.Audio.Tension, 100.0f);
  Start(ga_SoundScan, 1.0f);
  EXPECT_EQ(Game.Audio.Tension, 100.0f);

  Log.Clear();
  Simulation.StopAnimationSounds(2);
  EXPECT_EQ(std::tuple(Running(ga_SoundScan), Running(ga_SoundDrain)), std::tuple(2, 0));
  EXPECT_TRUE(Log.GetLines().empty());
  Simulation.StopAnimationSounds(1);
  EXPECT_EQ(std::tuple(Land.Animations(scan).Kind, Running(ga_SoundPulse1)),
            std::tuple(ga_static, 0));
}

// The robot's mesh and both parts of the tree end opaque; a vanished object leaves no shape.
TEST_F(Animations, AnObjectGrowsInPlaceEndsOpaqueAndVanishesToNothing) {
  const auto [x, z] = FreeSquare();
  const auto [treeX, treeZ] = FreeSquare(1);
  const int shapes = ShapeCount();
  ASSERT_EQ(Land.AddGameObject(x, z, go_robot, 30.0f, true), 1);
  Land.AddGameObject(treeX, treeZ, go_tree, 0.0f, true);
  const TStackedObject& object = Land.Object(x, z, 1);
  const float base = object.Base;
  const int slot = object.Animation;
  ASSERT_TRUE(slot >= 0 && Land.Animations(slot).Kind == ga_appear);
  for (int frame = 0; frame < 12 && Land.Animations(slot).Kind == ga_appear; ++frame) {
    const auto* mesh = static_cast<const TMeshObject*>(object.Shape);
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->Material().BlendingMode, TBlendingMode::Transparency);
    EXPECT_FLOAT_EQ(mesh->Vertices()[0].Color.a, float(EaseInCos(Land.Animations(slot).Progress)));
    EXPECT_EQ(std::tuple(object.Kind, object.Angle, object.Base, object.Animation, ShapeCount()),
              std::tuple(go_robot, 30.0f, base, slot, shapes + 2));  // no shape left behind
    Advance(1.0 / 30, 1.0 / 30);
  }
  EXPECT_EQ(std::tuple(Land.Animations(slot).Kind, object.Animation, ShapeCount()),
            std::tuple(ga_static, -1, shapes + 2));
  const TSceneObject& tree = *Land.Object(treeX, treeZ, 1).Shape;
  ASSERT_EQ(tree.Count(), 2);
  for (const TSceneObject* part : {object.Shape, tree.Child(0), tree.Child(1)}) {
    EXPECT_EQ(part->Material().BlendingMode, TBlendingMode::Opaque);
    EXPECT_EQ(part->Material().Diffuse.a, 1.0f);
  }

  Land.RemoveGameObject(x, z, true, 1);
  EXPECT_EQ(object.Kind, go_robot) << "still shrinking";
  Host.Asleep = true;
  Advance(0.5);
  EXPECT_EQ(std::tuple(object.Kind, object.Shape, object.Animation, ShapeCount()),
            std::tuple(go_none, nullptr, -1, shapes + 1));
  EXPECT_EQ(std::tuple(Host.Asleep, Running(ga_disappear)), std::tuple(false, 0));
}

// Even a frame past the end leaves the Tolmarch at its end angle. Once it is absorbed, neither
// its turn nor one started on the empty place afterwards builds anything, and both end.
TEST_F(Animations, ATurnEndsAtItsEndAngleAndChangesNothingOnceItsTolmarchIsAbsorbed) {
  const int x = int(Land.TolmarchX), z = int(Land.TolmarchZ), level = Land.TopLevel(x, z);
  const TStackedObject& object = Land.Object(x, z, level);
  ASSERT_EQ(object.Kind, go_tolmarch);
  const float from = object.Angle;
  const int shapes = ShapeCount();
  Land.StartAnimation(x, level, z, 0.0f, ga_rotate, Host.Clock, 1.0f, from, from + 40.0f);
  Advance(0.5, 0.5);
  EXPECT_NEAR(object.Angle, from + 20.0f, 1e-3) << "half way at half time";
  Simulation.ProgressAnimations(1.0);  // p = 1.5
  EXPECT_EQ(Running(ga_rotate), 0);
  EXPECT_NEAR(object.Angle, from + 40.0f, 1e-3);

  const int slot = Land.StartAnimation(x, level, z, 0.0f, ga_rotate, Host.Clock, 1.0f, 0.0f, 90.0f);
  Advance(0.2);
  Simulation.ClearScannerAt(x, z);
  Land.RemoveGameObject(x, z, true, level);
  Advance(2.0);
  EXPECT_EQ(Land.Animations(slot).Kind, ga_static);
  const int late = Land.StartAnimation(x, level, z, 0.0f, ga_rotate, Host.Clock, 0.5f, 0.0f, 90.0f);
  Advance(0.6);
  EXPECT_EQ(Land.Animations(late).Kind, ga_static);
  EXPECT_EQ(std::tuple(object.Kind, object.Shape, ShapeCount()),
            std::tuple(go_none, nullptr, shapes - 1));
}

TEST_F(Animations, LeavingRaisesTheCameraIntoTheDark) {
  Advance(2.5);
  const float height = Scene.GLCamera1->Position().y;
  Start(ga_Leave, 1.5f);
  EXPECT_EQ(Land.LeaveStarted, 1.0f);
  EXPECT_EQ(Scene.GLCamera1->DepthOfView(), Land.GridSize * 6.0f);
  Advance(1.4);
  EXPECT_GT(Scene.GLCamera1->Position().y, height + 1.0f);
  EXPECT_LT(Scene.GLLightSource1->Diffuse().r, 0.1f * Land.MainLightColour.r);
  EXPECT_GT(Scene.GLSceneViewer1.Fog.Color.a, 0.8f);
}

TEST_F(Animations, ALostGameSinksIntoRedFogAndEndsInALoss) {
  Advance(2.5);
  Land.SetEnergy(-1);
  Advance(1.5);
  const TColor fog = Scene.GLSceneViewer1.Fog.Color;
  EXPECT_TRUE(fog.r > 0.9f && fog.g < 0.3f) << fog.r << " " << fog.g;
  EXPECT_EQ(Scene.GLSceneViewer1.BackgroundColor, ColorNumber(fog));
  EXPECT_TRUE(Host.Results.empty());
  Advance(1.0);
  ASSERT_EQ(Host.Results.size(), 1u);
  EXPECT_TRUE(Host.Results[0].Lost);
}

}  // namespace
}  // namespace orvane::test
