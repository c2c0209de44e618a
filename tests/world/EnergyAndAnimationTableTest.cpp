// The player's energy and the table of animation slots that everything timed runs in.

#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "ObjectManagementTestSupport.h"

namespace orvane {
namespace {

class EnergyAndAnimations : public ::testing::Test {
 protected:
  test::TEmptyWorld World;
  TLandscape& Land = World.Land;

  int Start(TAnimationKind kind = ga_Scan, float duration = 1.0f) {
    return Land.StartAnimation(1, 2, 3, 0.0f, kind, World.Host.Clock, duration, 0.0f, 0.0f);
  }
};

TEST_F(EnergyAndAnimations, EachNewEnergyIsShownAndFallingBelowZeroKillsALivingPlayerOnce) {
  World.Host.Clock = 8.0;
  Land.Player().Alive = true;
  for (int value : {7, 7, 0})
    Land.SetEnergy(value);
  EXPECT_TRUE(Land.Player().Alive);
  EXPECT_EQ(test::Running(Land), 0);
  Land.SetEnergy(-1);
  Land.SetEnergy(-2);
  EXPECT_EQ(World.Host.EnergyShown, (std::vector<int>{7, 0, -1, -2}));
  EXPECT_EQ(std::tuple(Land.Energy, Land.Player().Energy, Land.Player().Alive),
            std::tuple(-2, -2, false));
  ASSERT_EQ(test::Running(Land, ga_Dead), 1);
  EXPECT_EQ(std::tuple(Land.Animations(0).Duration, Land.Animations(0).StartTime),
            std::tuple(1.6f, 8.0f));
}

TEST_F(EnergyAndAnimations, AStartTakesTheLowestFreeSlotAfreshAndStepsItOnce) {
  Land.Animations(0).Elapsed = 9.0f;  // left over in a released slot
  ASSERT_EQ(Land.StartAnimation(5, 3, 6, 0.0f, ga_rotate, 4.5, 2.0f, 10.0f, 100.0f), 0);
  const TAnimation& a = Land.Animations(0);
  EXPECT_EQ(std::tuple(a.Kind, a.X, a.Level, a.Z), std::tuple(ga_rotate, 5, 3, 6));
  EXPECT_EQ(std::tuple(a.StartTime, a.From, a.To, a.Elapsed),
            std::tuple(4.5f, 10.0f, 100.0f, 0.0f));
  EXPECT_EQ(World.Simulation.Steps, (std::vector<std::pair<int, float>>{{0, 0.0f}}));

  Land.LastAnimation = 0;
  for (int i = 1; i < 5; ++i)
    ASSERT_EQ(Start(), i);
  Land.Animations(2).Kind = ga_static;
  EXPECT_EQ(Start(), 2);
  EXPECT_EQ(Land.LastAnimation, 4) << "the highest slot taken, not the last";
}

TEST_F(EnergyAndAnimations, WithTwoHundredFiftyFiveRunningTheNextStartFails) {
  for (int i = 0; i < UsableAnimationSlots; ++i)
    ASSERT_EQ(Start(), i);
  World.Simulation.Steps.clear();
  EXPECT_EQ(Start(), -1);
  EXPECT_EQ(World.Log.GetLines(),
            std::vector<std::string>{
                "Diagnostic: Failed to start Animation; Exceeded maximum of 255 animations."});
  EXPECT_EQ(Land.Animations(AnimationSlots - 1).Kind, ga_static);
  EXPECT_EQ(Land.LastAnimation, UsableAnimationSlots - 1);
  EXPECT_TRUE(World.Simulation.Steps.empty());
  Land.Animations(100).Kind = ga_static;
  EXPECT_EQ(Start(), 100);
}

}  // namespace
}  // namespace orvane
