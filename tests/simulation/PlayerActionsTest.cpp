#include <cmath>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "simulation/SimulationFixture.h"

namespace orvane::test {
namespace {

struct PlayerActions : ::testing::Test, TSimulationFixture {
  PlayerActions() : Land(MakeLandscape(7, 20)) {}

  // Flat empty squares away from the player, in the order the list of squares gives them.
  std::pair<int, int> FreeSquare(int skip = 0) {
    for (int i = Land.SquareCount; i >= 0; --i) {
      const TSquareEntry& e = Land.SquaresByHeight(i);
      if (!Land.IsFlatSquare(e.X, e.Z) || Land.TopLevel(e.X, e.Z) != -1) continue;
      if (e.X == Land.Player().X && e.Z == Land.Player().Z) continue;
      if (skip-- == 0) return {e.X, e.Z};
    }
    throw std::logic_error("no free square");
  }
  // Pointing at the top of a square's stack (or its ground).
  TPointedSquare At(std::pair<int, int> square) const {
    const int top = Land.TopLevel(square.first, square.second);
    const float h = top < 1 ? Land.PointHeight(square.first, square.second)
                            : Land.Object(square.first, square.second, top).Base + 0.01f;
    return {square.first, square.second, h};
  }
  void Stack(std::pair<int, int> square, std::initializer_list<TGameObjectKind> kinds) {
    for (const TGameObjectKind kind : kinds)
      Land.AddGameObject(square.first, square.second, kind, 0.0f, false);
  }
  TGameObjectKind TopKind(std::pair<int, int> square) const {
    const int top = Land.TopLevel(square.first, square.second);
    return top < 1 ? go_none : Land.Object(square.first, square.second, top).Kind;
  }
  std::pair<int, int> Pedestal() const {
    return {static_cast<int>(Land.TolmarchX), static_cast<int>(Land.TolmarchZ)};
  }
  void LookFromHigh() { Land.Player().EyeHgt = 1000.0; }

  TLandscape& Land;
};

TEST_F(PlayerActions, CreatingNeedsItsEnergyAbsorbAndTransferNeedNone) {
  const auto square = FreeSquare();
  const auto player = std::make_pair(Land.Player().X, Land.Player().Z);
  for (const int energy : {0, 1, 2}) {
    Land.SetEnergy(energy);
    const float tension = Game.Audio.Tension;
    if (energy < 1) Simulation.CreateTree(At(square));
    if (energy < 2) Simulation.CreateBoulder(At(square));
    Simulation.CreateRobot(At(square));
    Simulation.HyperspaceAction();
    EXPECT_EQ(Land.TopLevel(square.first, square.second), -1) << energy;
    EXPECT_EQ(Land.Energy, energy);
    EXPECT_EQ(Game.Audio.Tension, tension);
    EXPECT_EQ(std::make_pair(Land.Player().X, Land.Player().Z), player);
    EXPECT_TRUE(Host.Hints.empty());
  }

  Land.SetEnergy(1);
  Simulation.CreateTree(At(square));
  EXPECT_EQ(TopKind(square), go_tree);
  EXPECT_EQ(Land.Energy, 0);
  EXPECT_EQ(Host.Hints.back(), "BT1You've just added a tree. Why did you do that??");

  // A boulder under no animation counts as seen; absorbing it with no energy gives 2.
  const auto other = FreeSquare();
  Stack(other, {go_boulder});
  LookFromHigh();
  Simulation.Absorb(At(other));
  EXPECT_EQ(Land.Energy, 2);
  // Two units are just enough for a boulder.
  const float tension = Game.Audio.Tension;
  const auto boulder = FreeSquare();
  Simulation.CreateBoulder(At(boulder));
  EXPECT_EQ(TopKind(boulder), go_boulder);
  EXPECT_EQ(Land.Energy, 0);
  EXPECT_EQ(Game.Audio.Tension, tension + 1.0f);

  const auto shell = FreeSquare();
  Stack(shell, {go_robot});
  Land.SetEnergy(0);
  Simulation.Transfer(At(shell));
  EXPECT_EQ(std::make_pair(Land.Player().X, Land.Player().Z), shell);
  EXPECT_EQ(Land.Energy, 0);

  Land.SetEnergy(3);
  Simulation.HyperspaceAction();
  EXPECT_EQ(Land.Energy, 0);
  EXPECT_NE(std::make_pair(Land.Player().X, Land.Player().Z), shell);
}

TEST_F(PlayerActions, WhatMayBeBuiltOnWhat) {
  Land.SetEnergy(100);
  const float tension = Game.Audio.Tension;
  const auto tree = FreeSquare(0), boulders = FreeSquare(1), robot = FreeSquare(2);
  Stack(tree, {go_tree});
  Stack(boulders, {go_boulder, go_boulder});
  Stack(robot, {go_robot});
  for (const auto& square : {tree, robot}) {
    Simulation.CreateTree(At(square));
    Simulation.CreateBoulder(At(square));
  }
  Simulation.CreateRobot(At(tree));
  EXPECT_EQ(Land.TopLevel(tree.first, tree.second), 1);
  EXPECT_EQ(Land.TopLevel(robot.first, robot.second), 1);
  EXPECT_EQ(Land.Energy, 100);

  Simulation.CreateBoulder(At(boulders));
  Simulation.CreateTree(At(boulders));
  EXPECT_EQ(Land.TopLevel(boulders.first, boulders.second), 4);
  EXPECT_EQ(TopKind(boulders), go_tree);
  EXPECT_EQ(Land.Energy, 97);

  // A tree stands on boulders only when the whole stack is boulders.
  const auto mixed = FreeSquare();
  Stack(mixed, {go_robot, go_boulder});
  Simulation.CreateTree(At(mixed));
  EXPECT_EQ(Land.TopLevel(mixed.first, mixed.second), 2);

  // The emptied pedestal takes a robot only from above its top.
  const auto pedestal = Pedestal();
  Land.RemoveGameObject(pedestal.first, pedestal.second, false, 2);
  const TStackedObject& stand = Land.Object(pedestal.first, pedestal.second, 1);
  Land.Player().EyeHgt = stand.Base + stand.Height;
  Simulation.CreateRobot(At(pedestal));
  Simulation.CreateTree(At(pedestal));
  Simulation.CreateBoulder(At(pedestal));
  EXPECT_EQ(Land.TopLevel(pedestal.first, pedestal.second), 1);
  Land.Player().EyeHgt += 0.1;
  Simulation.CreateRobot(At(pedestal));
  EXPECT_EQ(TopKind(pedestal), go_robot);
  EXPECT_EQ(Land.Energy, 94);
  EXPECT_EQ(Game.Audio.Tension, tension + 1.0f + 2.0f);
}

TEST_F(PlayerActions, NewRobotFacesTheCamera) {
  Land.SetEnergy(3);
  const auto square = FreeSquare();
  Scene.GLCamera1->SetPosition({square.first - 2.0f, 5.0f, square.second + 2.0f});
  Simulation.CreateRobot(At(square));
  EXPECT_FLOAT_EQ(Land.Object(square.first, square.second, 1).Angle, -45.0f);
}

TEST_F(PlayerActions, AbsorbDoesNothingOnOwnSquareOrWhileTheStackMoves) {
  LookFromHigh();
  const auto own = std::make_pair(Land.Player().X, Land.Player().Z);
  const int energy = Land.Energy;
  Simulation.Absorb(At(own));
  EXPECT_EQ(Land.TopLevel(own.first, own.second), 1);

  // Boulders whose bottom one is still appearing (its animation in slot 0) or vanishing; the
  // pointer is on the settled boulder above.
  const auto appearing = FreeSquare(0), vanishing = FreeSquare(1);
  Stack(appearing, {go_boulder, go_boulder});
  Stack(vanishing, {go_boulder, go_boulder});
  Land.Animations(0) = TAnimation{
      .X = appearing.first, .Level = 1, .Z = appearing.second, .Kind = ga_appear, .Duration = 1.0f};
  Land.Object(appearing.first, appearing.second, 1).Animation = 0;
  Land.Animations(1) = TAnimation{.X = vanishing.first,
                                  .Level = 1,
                                  .Z = vanishing.second,
                                  .Kind = ga_disappear,
                                  .Duration = 1.0f};
  Land.Object(vanishing.first, vanishing.second, 1).Animation = 1;
  Simulation.Absorb(At(appearing));
  Simulation.Absorb(At(vanishing));
  EXPECT_EQ(Land.Energy, energy);
  EXPECT_EQ(Land.Object(appearing.first, appearing.second, 2).Animation, -1);
  EXPECT_EQ(Land.Object(vanishing.first, vanishing.second, 2).Animation, -1);
  // Nothing is built on a square where something vanishes.
  Land.SetEnergy(5);
  Simulation.CreateTree(At(vanishing));
  Simulation.CreateBoulder(At(vanishing));
  EXPECT_EQ(Land.TopLevel(vanishing.first, vanishing.second), 2);
}

TEST_F(PlayerActions, TheTolmarchOnlyFromAboveAndThenNothingMore) {
  const auto pedestal = Pedestal();
  const TStackedObject& tolmarch = Land.Object(pedestal.first, pedestal.second, 2);
  ASSERT_EQ(tolmarch.Kind, go_tolmarch);
  const TPointedSquare at{pedestal.first, pedestal.second, tolmarch.Base + 0.5f};
  const int energy = Land.Energy;
  for (const double eye : {double(tolmarch.Base) - 0.01, double(tolmarch.Base)}) {
    Land.Player().EyeHgt = eye;
    Simulation.Absorb(at);
    EXPECT_EQ(Land.Energy, energy);
    EXPECT_NE(Land.Scanners(1).State, ss_Free);
  }
  Land.Player().EyeHgt = tolmarch.Base + 0.01;
  Simulation.Absorb(at);
  EXPECT_EQ(Land.Energy, energy + 4);
  EXPECT_EQ(Land.Scanners(1).State, ss_Free);
  EXPECT_EQ(Host.Hints.back().substr(0, 30), "BR1You've absorbed the Tolmarc");

  const auto boulder = FreeSquare();
  Stack(boulder, {go_boulder});
  LookFromHigh();
  Simulation.Absorb(At(boulder));
  EXPECT_EQ(Land.Energy, energy + 4);
  EXPECT_EQ(Land.TopLevel(boulder.first, boulder.second), 1);
}

TEST_F(PlayerActions, TransferLeavesTheOldShellWorthThree) {
  // The player stands on a boulder, so the old shell can be seen from anywhere.
  const auto start = FreeSquare(0), shell = FreeSquare(1);
  Stack(start, {go_boulder});
  Host.SetPlayerView(start.first, start.second, true, false);
  Stack(shell, {go_robot});
  Land.SetEnergy(0);
  const float tension = Game.Audio.Tension;
  Simulation.Transfer(At(shell));
  EXPECT_EQ(std::make_pair(Land.Player().X, Land.Player().Z), shell);
  EXPECT_EQ(TopKind(start), go_robot);
  EXPECT_EQ(Game.Audio.Tension, tension + 3.0f);
  EXPECT_EQ(Host.Hints.back(),
            "BR1You're now in another robot shell. Absorb the old shell [A] to take its energy.");
  // The view looks back along the move, from just in front of the camera.
  const glm::vec3 lookBack = Scene.GLCamera1->Position() - Scene.DummyCube1->Position();
  EXPECT_NEAR(glm::length(lookBack), 0.01f, 1e-4f);

  LookFromHigh();
  Simulation.Absorb(At(start));
  EXPECT_EQ(Land.Energy, 3);
}

TEST_F(PlayerActions, OnThePedestalTheTransferKeyLeaves) {
  const auto pedestal = Pedestal();
  Land.RemoveGameObject(pedestal.first, pedestal.second, false, 2);
  Stack(pedestal, {go_robot});
  Simulation.Transfer(At(pedestal));
  EXPECT_EQ(Host.Hints.back(),
            "BR1Well done - you've reached the Orvane! Press [Q] to leave this landscape.");
  EXPECT_EQ(Land.MainLightColour.g, 2.4f);
  int leaving = 0;
  Simulation.Transfer(TPointedSquare{});
  for (int slot = 0; slot < AnimationSlots; ++slot)
    leaving +=
        Land.Animations(slot).Kind == ga_Leave || Land.Animations(slot).Kind == ga_SoundLeave;
  EXPECT_EQ(leaving, 2);
}

TEST_F(PlayerActions, HyperspaceWithNowhereToGoStillRaisesTensionAndSounds) {
  for (int i = 0; i <= Land.SquareCount; ++i) {
    const TSquareEntry& e = Land.SquaresByHeight(i);
    if (Land.TopLevel(e.X, e.Z) == -1) Stack({e.X, e.Z}, {go_tree});
  }
  Land.SetEnergy(5);
  const auto player = std::make_pair(Land.Player().X, Land.Player().Z);
  const float tension = Game.Audio.Tension;
  Simulation.HyperspaceAction();
  EXPECT_EQ(Land.Energy, 5);
  EXPECT_EQ(std::make_pair(Land.Player().X, Land.Player().Z), player);
  EXPECT_EQ(Game.Audio.Tension, tension + 12.0f);
  bool sound = false;
  for (int slot = 0; slot < AnimationSlots; ++slot)
    sound = sound || Land.Animations(slot).Kind == ga_SoundHyperSpace;
  EXPECT_TRUE(sound);
}

}  // namespace
}  // namespace orvane::test
