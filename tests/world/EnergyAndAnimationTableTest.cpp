// The player's energy and the table of animation slots that everything timed runs in.

#include <cmath>

#include <gtest/gtest.h>

#include "ObjectManagementTestSupport.h"

namespace orvane {
namespace {

using test::TEmptyWorld;

class Energy : public ::testing::Test {
 protected:
  TEmptyWorld World;
  TLandscape& Land = World.Land;

  int DeadAnimations() const {
    int count = 0;
    for (int slot = 0; slot < AnimationSlots; ++slot)
      if (Land.Animations(slot).Kind == ga_Dead) ++count;
    return count;
  }
};

TEST_F(Energy, SettingTheSameValueDoesNothingNotEvenARedraw) {
  Land.SetEnergy(7);
  World.Host.EnergyShown.clear();
  Land.SetEnergy(7);
  EXPECT_TRUE(World.Host.EnergyShown.empty());
  EXPECT_EQ(World.RunningAnimations(), 0);
}

TEST_F(Energy, ANewValueIsShownAndCopiedToThePlayer) {
  Land.SetEnergy(7);
  Land.SetEnergy(12);
  EXPECT_EQ(Land.Energy, 12);
  EXPECT_EQ(Land.Player().Energy, 12);
  ASSERT_FALSE(World.Host.EnergyShown.empty());
  EXPECT_EQ(World.Host.EnergyShown.back(), 12);
  EXPECT_EQ(World.RunningAnimations(), 0);
}

TEST_F(Energy, FallingBelowZeroKillsALivingPlayerOnce) {
  World.Settings.gs_S_GameSpeed(0);
  World.Host.Clock = 8.0;
  Land.SetEnergy(1);
  Land.Player().Alive = true;

  Land.SetEnergy(-1);
  EXPECT_EQ(DeadAnimations(), 1);
  EXPECT_FALSE(Land.Player().Alive);
  EXPECT_EQ(Land.Energy, -1);
  EXPECT_EQ(Land.Player().Energy, -1);
  EXPECT_EQ(World.Host.EnergyShown.back(), -1);
  const TAnimation& dead = Land.Animations(0);
  EXPECT_EQ(dead.Kind, ga_Dead);
  EXPECT_FLOAT_EQ(dead.Duration, 1.6f);
  EXPECT_FLOAT_EQ(dead.StartTime, 8.0f);
  EXPECT_EQ(dead.Level, 0);

  Land.SetEnergy(-2);
  EXPECT_EQ(DeadAnimations(), 1) << "a dead player dies only once";
  EXPECT_EQ(Land.Energy, -2);
  EXPECT_EQ(World.Host.EnergyShown.back(), -2);
}

TEST_F(Energy, ZeroIsStillAliveAndAPlayerNotOnARobotCannotDie) {
  Land.SetEnergy(3);
  Land.Player().Alive = true;
  Land.SetEnergy(0);
  EXPECT_TRUE(Land.Player().Alive);
  EXPECT_EQ(DeadAnimations(), 0);

  Land.Player().Alive = false;
  Land.SetEnergy(-3);
  EXPECT_EQ(DeadAnimations(), 0);
  EXPECT_EQ(Land.Energy, -3);
}

// ---- the animation table

class AnimationTable : public ::testing::Test {
 protected:
  TEmptyWorld World;
  TLandscape& Land = World.Land;

  int Start(TAnimationKind kind = ga_Scan, float duration = 1.0f) {
    return Land.StartAnimation(1, 2, 3, 0.0f, kind, World.Host.Clock, duration, 0.0f, 0.0f);
  }
};

TEST_F(AnimationTable, AStartFillsTheLowestFreeSlotAndStepsItOnce) {
  World.Host.Clock = 4.5;
  Land.LastAnimation = 0;
  // Leftovers of a released slot must not survive into the new animation.
  TAnimation& stale = Land.Animations(0);
  stale.Elapsed = 9.0f;
  stale.Progress = 0.7f;
  stale.Source = 12;
  stale.SourcePosition = {1, 2, 3};
  stale.SourceVelocity = {4, 5, 6};

  const int slot = Land.StartAnimation(5, 3, 6, 0.0f, ga_rotate, 4.5, 2.0f, 10.0f, 100.0f);
  ASSERT_EQ(slot, 0);
  const TAnimation& a = Land.Animations(0);
  EXPECT_EQ(a.X, 5);
  EXPECT_EQ(a.Level, 3);
  EXPECT_EQ(a.Z, 6);
  EXPECT_EQ(a.Kind, ga_rotate);
  EXPECT_EQ(a.StartTime, 4.5f);
  EXPECT_FLOAT_EQ(a.Duration, 2.0f);
  EXPECT_EQ(a.Elapsed, 0.0f);
  EXPECT_EQ(a.Source, 0u);
  EXPECT_EQ(a.SourcePosition, glm::vec3(0.0f));
  EXPECT_EQ(a.SourceVelocity, glm::vec3(0.0f));
  EXPECT_EQ(a.From, 10.0f);
  EXPECT_EQ(a.To, 100.0f);
  ASSERT_EQ(World.Host.Steps.size(), 1u);
  EXPECT_EQ(World.Host.Steps[0].first, 0);
  EXPECT_EQ(World.Host.Steps[0].second, 0.0f);
}

TEST_F(AnimationTable, AReleasedSlotIsTakenAgainFirst) {
  for (int i = 0; i < 5; ++i)
    ASSERT_EQ(Start(), i);
  Land.Animations(2).Kind = ga_static;
  EXPECT_EQ(Start(), 2);
  EXPECT_EQ(Start(), 5);
}

TEST_F(AnimationTable, LastAnimationFollowsTheHighestSlotEverTaken) {
  Land.LastAnimation = 0;
  Start();
  EXPECT_EQ(Land.LastAnimation, 0);
  Start();
  Start();
  EXPECT_EQ(Land.LastAnimation, 2);
  Land.Animations(2).Kind = ga_static;
  Land.Animations(1).Kind = ga_static;
  EXPECT_EQ(Start(), 1);
  EXPECT_EQ(Land.LastAnimation, 2) << "taking a lower slot does not lower the mark";
}

TEST_F(AnimationTable, WithTwoHundredFiftyFiveRunningTheNextStartFails) {
  for (int i = 0; i < UsableAnimationSlots; ++i)
    ASSERT_EQ(Start(), i);
  World.Log.Clear();
  World.Host.Steps.clear();

  EXPECT_EQ(Start(ga_SoundScan), -1);
  EXPECT_EQ(World.Log.GetLines(),
            std::vector<std::string>{
                "Diagnostic: Failed to start Animation; Exceeded maximum of 255 animations."});
  EXPECT_EQ(Land.Animations(255).Kind, ga_static) << "slot 255 is never used";
  EXPECT_EQ(Land.LastAnimation, 254);
  EXPECT_TRUE(World.Host.Steps.empty()) << "a failed start steps nothing";

  // Once one slot is free again, it is the one taken.
  Land.Animations(100).Kind = ga_static;
  EXPECT_EQ(Start(), 100);
}

TEST_F(AnimationTable, TheGameSpeedScalesEveryDuration) {
  const struct {
    int Speed;
    double Seconds;
  } cases[] = {{8, 1.0}, {0, 3.0}, {-8, 9.0}, {4, 3.0 / std::sqrt(3.0)}};
  for (const auto& c : cases) {
    World.Settings.gs_S_GameSpeed(c.Speed);
    const int slot = Start(ga_Scan, 3.0f);
    ASSERT_GE(slot, 0);
    EXPECT_NEAR(Land.Animations(slot).Duration, c.Seconds, 1e-5) << "speed " << c.Speed;
    EXPECT_NEAR(Land.GameSpeedFactor(), 3.0 / c.Seconds, 1e-9) << "speed " << c.Speed;
  }
  // The speed is read when an animation starts; a later change leaves it as it is.
  World.Settings.gs_S_GameSpeed(8);
  const int slot = Start(ga_Scan, 3.0f);
  World.Settings.gs_S_GameSpeed(-8);
  EXPECT_NEAR(Land.Animations(slot).Duration, 1.0, 1e-5);
}

}  // namespace
}  // namespace orvane
