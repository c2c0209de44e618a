#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "simulation/SimulationFixture.h"

namespace orvane::test {
namespace {

using TSquare = std::pair<int, int>;

struct PlayerActions : ::testing::Test, TSimulationFixture {
  TLandscape& Land = MakeLandscape(7, 20);

  // Pointing at the top of a square's stack (or its ground).
  TPointedSquare At(TSquare square) const {
    const auto [x, z] = square;
    const int top = Land.TopLevel(x, z);
    return {x, z, top < 1 ? Land.PointHeight(x, z) : Land.Object(x, z, top).Base + 0.01f};
  }
  void Stack(TSquare square, std::initializer_list<TGameObjectKind> kinds) {
    for (const TGameObjectKind kind : kinds)
      Land.AddGameObject(square.first, square.second, kind, 0.0f, false);
  }
  int Top(TSquare square) const { return Land.TopLevel(square.first, square.second); }
  TGameObjectKind TopKind(TSquare square) const {
    return Top(square) < 1 ? go_none : Land.Object(square.first, square.second, Top(square)).Kind;
  }
  TSquare PlayerSquare() const { return {Land.Player().X, Land.Player().Z}; }
  TSquare Pedestal() const { return {int(Land.TolmarchX), int(Land.TolmarchZ)}; }
  void LookFromHigh() { Land.Player().EyeHgt = 1000.0; }
};

// Hyperspace with nowhere to go costs nothing, yet raises the tension and sounds. Only what is
// done starts the scanners.
TEST_F(PlayerActions, CreatingAndHyperspaceNeedTheirEnergy) {
  const auto square = FreeSquare();
  const auto player = PlayerSquare();
  for (const int energy : {0, 1, 2}) {
    Land.SetEnergy(energy);
    const float tension = Game.Audio.Tension;
    if (energy < 1) Simulation.CreateTree(At(square));
    if (energy < 2) Simulation.CreateBoulder(At(square));
    Simulation.CreateRobot(At(square));
    Simulation.HyperspaceAction();
    EXPECT_EQ(std::tuple(Top(square), Land.Energy, Game.Audio.Tension, PlayerSquare(), Host.Hints,
                         Running(ga_Scan)),
              std::tuple(-1, energy, tension, player, std::vector<std::string>{}, 0));
  }

  Land.SetEnergy(1);
  Simulation.CreateTree(At(square));
  EXPECT_EQ(std::tuple(TopKind(square), Land.Energy, Running(ga_Scan) > 0),
            std::tuple(go_tree, 0, true));
  ASSERT_FALSE(Host.Hints.empty());
  EXPECT_EQ(Host.Hints.back(), "BT1You've just added a tree. Why did you do that??");

  Land.SetEnergy(2);  // just enough for a boulder
  const float tension = Game.Audio.Tension;
  const auto boulder = FreeSquare();
  Simulation.CreateBoulder(At(boulder));
  EXPECT_EQ(std::tuple(TopKind(boulder), Land.Energy, Game.Audio.Tension),
            std::tuple(go_boulder, 0, tension + 1.0f));

  Land.SetEnergy(3);
  Simulation.HyperspaceAction();
  EXPECT_TRUE(Land.Energy == 0 && PlayerSquare() != player);

  for (int i = 0; i <= Land.SquareCount; ++i) {
    const TSquareEntry& e = Land.SquaresByHeight(i);
    if (Land.TopLevel(e.X, e.Z) == -1) Stack({e.X, e.Z}, {go_tree});
  }
  Land.SetEnergy(5);
  const auto stuck = PlayerSquare();
  const float before = Game.Audio.Tension;
  Simulation.HyperspaceAction();
  EXPECT_EQ(
      std::tuple(Land.Energy, PlayerSquare(), Game.Audio.Tension, Running(ga_SoundHyperSpace)),
      std::tuple(5, stuck, before + 12.0f, 2));
}

TEST_F(PlayerActions, WhatMayBeBuiltOnWhatAndANewRobotFacesTheCamera) {
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
  EXPECT_EQ(std::tuple(Top(tree), Top(robot), Land.Energy), std::tuple(1, 1, 100));

  Simulation.CreateBoulder(At(boulders));
  Simulation.CreateTree(At(boulders));
  EXPECT_EQ(std::tuple(Top(boulders), TopKind(boulders), Land.Energy), std::tuple(4, go_tree, 97));

  // A tree stands on boulders only when the whole stack is boulders.
  const auto mixed = FreeSquare();
  Stack(mixed, {go_robot, go_boulder});
  Simulation.CreateTree(At(mixed));
  EXPECT_EQ(Top(mixed), 2);

  // The emptied pedestal takes a robot only from above its top.
  const auto pedestal = Pedestal();
  Land.RemoveGameObject(pedestal.first, pedestal.second, false, 2);
  const TStackedObject& stand = Land.Object(pedestal.first, pedestal.second, 1);
  Land.Player().EyeHgt = stand.Base + stand.Height;
  Simulation.CreateRobot(At(pedestal));
  Simulation.CreateTree(At(pedestal));
  Simulation.CreateBoulder(At(pedestal));
  EXPECT_EQ(Top(pedestal), 1);
  Land.Player().EyeHgt += 0.1;
  Scene.GLCamera1->SetPosition({pedestal.first - 2.0f, 5.0f, pedestal.second + 2.0f});
  Simulation.CreateRobot(At(pedestal));
  EXPECT_EQ(std::tuple(TopKind(pedestal), Land.Energy, Game.Audio.Tension),
            std::tuple(go_robot, 94, tension + 1.0f + 2.0f));
  EXPECT_FLOAT_EQ(Land.Object(pedestal.first, pedestal.second, 2).Angle, -45.0f);
}

// Nor where the bottom boulder still appears or vanishes (pointing at the settled one above), where
// nothing is built either. The Tolmarch only from above its base, and then nothing more.
TEST_F(PlayerActions, AbsorbTakesNothingFromOwnSquareMovingStacksOrTheTolmarchBelowTheEye) {
  LookFromHigh();
  int energy = Land.Energy;
  Simulation.Absorb(At(PlayerSquare()));
  EXPECT_EQ(Top(PlayerSquare()), 1);

  const auto appearing = FreeSquare(0), vanishing = FreeSquare(1);
  for (const auto& [square, kind] : {std::pair{appearing, ga_appear}, {vanishing, ga_disappear}}) {
    Stack(square, {go_boulder, go_boulder});
    const int slot = kind == ga_appear ? 0 : 1;
    Land.Animations(slot) = TAnimation{
        .X = square.first, .Level = 1, .Z = square.second, .Kind = kind, .Duration = 1.0f};
    Land.Object(square.first, square.second, 1).Animation = slot;
    Simulation.Absorb(At(square));
    EXPECT_EQ(Land.Object(square.first, square.second, 2).Animation, -1);
  }
  EXPECT_EQ(Land.Energy, energy);
  Land.SetEnergy(5);
  Simulation.CreateTree(At(vanishing));
  Simulation.CreateBoulder(At(vanishing));
  EXPECT_EQ(Top(vanishing), 2);

  const auto [px, pz] = Pedestal();
  const TStackedObject& tolmarch = Land.Object(px, pz, 2);
  ASSERT_EQ(tolmarch.Kind, go_tolmarch);
  const TPointedSquare at{px, pz, tolmarch.Base + 0.5f};
  energy = Land.Energy;
  for (const double eye : {double(tolmarch.Base) - 0.01, double(tolmarch.Base)}) {
    Land.Player().EyeHgt = eye;
    Simulation.Absorb(at);
    EXPECT_TRUE(Land.Energy == energy && Land.Scanners(1).State != ss_Free) << eye;
  }
  Land.Player().EyeHgt = tolmarch.Base + 0.01;
  Simulation.Absorb(at);
  EXPECT_EQ(std::tuple(Land.Energy, Land.Scanners(1).State), std::tuple(energy + 4, ss_Free));
  EXPECT_EQ(Host.Hints.back().substr(0, 30), "BR1You've absorbed the Tolmarc");

  const auto boulder = FreeSquare();
  Stack(boulder, {go_boulder});
  LookFromHigh();
  Simulation.Absorb(At(boulder));
  EXPECT_EQ(std::tuple(Land.Energy, Top(boulder)), std::tuple(energy + 4, 1));
}

// Standing on a boulder, the old shell is seen from anywhere; on the pedestal the key leaves.
TEST_F(PlayerActions, TransferLeavesTheOldShellWorthThreeAndLeavesFromThePedestal) {
  const auto start = FreeSquare(0), shell = FreeSquare(1);
  Stack(start, {go_boulder});
  Host.SetPlayerView(start.first, start.second, true, false);
  Stack(shell, {go_robot});
  Land.SetEnergy(0);
  const float tension = Game.Audio.Tension;
  Simulation.Transfer(At(shell));
  EXPECT_EQ(std::tuple(PlayerSquare(), TopKind(start), Game.Audio.Tension),
            std::tuple(shell, go_robot, tension + 3.0f));
  EXPECT_EQ(Host.Hints.back(),
            "BR1You're now in another robot shell. Absorb the old shell [A] to take its energy.");
  // The view looks back along the move, from just in front of the camera.
  const glm::vec3 lookBack = Scene.GLCamera1->Position() - Scene.DummyCube1->Position();
  EXPECT_NEAR(glm::length(lookBack), 0.01f, 1e-4f);

  LookFromHigh();
  Simulation.Absorb(At(start));
  EXPECT_EQ(Land.Energy, 3);

  const auto pedestal = Pedestal();
  Land.RemoveGameObject(pedestal.first, pedestal.second, false, 2);
  Stack(pedestal, {go_robot});
  Simulation.Transfer(At(pedestal));
  EXPECT_EQ(Host.Hints.back(),
            "BR1Well done - you've reached the Orvane! Press [Q] to leave this landscape.");
  EXPECT_EQ(Land.MainLightColour.g, 2.4f);
  Simulation.Transfer(TPointedSquare{});
  EXPECT_EQ(std::tuple(Running(ga_Leave), Running(ga_SoundLeave)), std::tuple(1, 1));
}

}  // namespace
}  // namespace orvane::test
