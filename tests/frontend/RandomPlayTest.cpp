// A long run of random play over several landscapes and difficulties: random actions on random
// squares, hyperspace and frames of random length, with the world checked after every step.

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "frontend/PlayHelpers.h"

namespace orvane {
namespace {

class RandomPlay : public ::testing::Test {
 protected:
  int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(Dice); }
  double Uniform(double lo, double hi) { return std::uniform_real_distribution<>(lo, hi)(Dice); }

  TLandscape& Land() { return Play.Land(); }

  // A random square: one holding objects or a flat one, now and then the player's own, the
  // Tolmarch's or any square at all (off the grid by one included).
  std::pair<int, int> AnySquare() {
    const int pick = Roll(10);
    if (pick < 4 && !Occupied.empty())
      return Occupied[static_cast<size_t>(Roll(static_cast<int>(Occupied.size())))];
    if (pick < 7 && Land().SquareCount >= 0) {
      const TSquareEntry& square = Land().SquaresByHeight(Roll(Land().SquareCount + 1));
      return {square.X, square.Z};
    }
    if (pick == 7) return {Land().Player().X, Land().Player().Z};
    if (pick == 8) return {static_cast<int>(Land().TolmarchX), static_cast<int>(Land().TolmarchZ)};
    return {Roll(Land().GridSize + 2) - 1, Roll(Land().GridSize + 2) - 1};
  }

  // The pointed square: often the one pointed at before, often one the player sees (as a
  // pointer would), else any, at a random height from its ground to above its stack.
  TPointedSquare RandomSquare() {
    auto [x, z] = AnySquare();
    const int pick = Roll(3);
    if (pick == 0 && Land().IsFlatSquare(Pointed.X, Pointed.Z)) {
      x = Pointed.X, z = Pointed.Z;
    } else if (pick == 1) {
      for (int tries = 0; tries < 8; ++tries) {
        const auto [vx, vz] = AnySquare();
        if (Land().IsFlatSquare(vx, vz) && Play.Sim().SquareVisibility(vx, vz, Play.Eye()) > 0) {
          x = vx, z = vz;
          break;
        }
      }
    }
    if (x < 0 || z < 0 || x >= Land().GridSize || z >= Land().GridSize)
      return Pointed = {x, z, 0.0f};
    const double ground = Land().PointHeight(x, z);
    return Pointed = {x, z, static_cast<float>(Uniform(ground, Play.At(x, z).Height + 1.0))};
  }

  // One step: an action on a square, a hyperspace, or a few frames.
  void Step() {
    using TAction = void (TSimulation::*)(const TPointedSquare&);
    static constexpr TAction Actions[] = {
        &TSimulation::Absorb,      &TSimulation::Absorb,        &TSimulation::Absorb,
        &TSimulation::CreateTree,  &TSimulation::CreateBoulder, &TSimulation::CreateBoulder,
        &TSimulation::CreateRobot, &TSimulation::CreateRobot,   &TSimulation::Transfer};
    const int what = Roll(20);
    if (what < 9) {
      (Play.Sim().*Actions[what])(RandomSquare());
    } else if (what == 9) {
      Play.Sim().HyperspaceAction();
    } else {
      for (int frame = Roll(6); frame >= 0; --frame)
        Play.Tick(Roll(40) == 0 ? 1.0 : Uniform(0.005, 0.06));
    }
  }

  // Checks every stack gap-free, at most 255 animations, every used scanner on its own object
  // waiting for one scan or turn. Notes the squares holding objects, and the world's energy: the
  // player's and every object's but those vanishing, whose absorbing paid the player at once.
  void CheckWorld() {
    const TLandscape& land = Land();
    ASSERT_LE(Play.Slots(ga_static), UsableAnimationSlots);
    ASSERT_EQ(land.Animations(AnimationSlots - 1).Kind, ga_static);

    Occupied.clear();
    Energy = land.Energy;
    for (int x = 0; x < land.GridSize; ++x)
      for (int z = 0; z < land.GridSize; ++z) {
        float base = land.PointHeight(x, z);
        bool ended = false;
        for (int level = 1; level <= MaxStack; ++level) {
          const TStackedObject& object = std::as_const(land).Object(x, z, level);
          if (object.Kind == go_none) {
            ended = true;
            continue;
          }
          if (level == 1) Occupied.emplace_back(x, z);
          ASSERT_FALSE(ended) << "a gap below level " << level << " at " << x << "," << z;
          ASSERT_EQ(object.Base, base) << "level " << level << " at " << x << "," << z;
          base = object.Base + object.Height;
          const bool vanishing =
              object.Animation >= 0 && land.Animations(object.Animation).Kind == ga_disappear;
          if (!vanishing) Energy += ObjectEnergy[object.Kind];
        }
      }

    for (int n = 1; n <= MaxScanners; ++n) {
      const TScanner& scanner = land.Scanners(n);
      if (scanner.State == ss_Free) continue;
      ASSERT_TRUE(scanner.Type == go_tolmarch || scanner.Type == go_sentry);
      ASSERT_EQ(land.Object(scanner.PosX, scanner.PosZ, scanner.Level).Kind, scanner.Type)
          << "scanner " << n;
      int cycles = 0;
      for (int slot = 0; slot < AnimationSlots; ++slot) {
        const TAnimation& a = land.Animations(slot);
        cycles += (a.Kind == ga_Scan || a.Kind == ga_rotate) && a.X == scanner.PosX &&
                  a.Z == scanner.PosZ && a.Level == scanner.Level;
      }
      // None while idle; none or one while seen by the look made as the player was placed.
      if (scanner.State == ss_Scan || scanner.State == ss_Drain) {
        ASSERT_EQ(cycles, 1) << "scanner " << n << " in state " << int(scanner.State);
      }
      ASSERT_LE(cycles, scanner.State == ss_Idle ? 0 : 1) << "scanner " << n;
    }
  }

  // What a new landscape holds. The rim lies below a centred interior where points raised by the
  // same number of steps have exactly the same height, or a square in the middle of a terrace
  // would be drawn as a slope and refuse every object; the second light stands well above it.
  // The flat squares are listed highest first, the first holding the pedestal and the Tolmarch
  // under the main light; the sites after it, far enough apart, each hold a sentry with its
  // scanner (a list shorter than the sites asked for places what it holds); trees, and the
  // player's robot, stand alone on other flat squares.
  void CheckStart() {
    const TLandscape& land = Land();
    const int N = land.GridSize, sites = std::min(land.SiteCount, land.SquareCount + 1);
    const float rim = land.PointHeight(0, 0), base = land.PointHeight(1, 1);
    float lowest = std::numeric_limits<float>::max(), highest = -lowest, highestFlat = highest;
    std::map<long, float> heightOfStep;
    int sentries = 0, trees = 0;
    for (int x = 0; x <= N; ++x)
      for (int z = 0; z <= N; ++z) {
        if (x < N && z < N && land.TopLevel(x, z) >= 0 &&
            (x != land.TolmarchX || z != land.TolmarchZ)) {
          const TGameObjectKind kind = land.Object(x, z, 1).Kind;
          const bool mine = x == land.Player().X && z == land.Player().Z;
          ASSERT_TRUE(land.IsFlatSquare(x, z) && land.TopLevel(x, z) == 1 &&
                      (kind == go_sentry || kind == go_tree || (mine && kind == go_robot)))
              << x << "," << z;
          sentries += kind == go_sentry;
          trees += kind == go_tree;
        }
        const float h = land.PointHeight(x, z);
        if (x == 0 || z == 0 || x == N || z == N) {
          ASSERT_EQ(h, rim) << x << "," << z;
          continue;
        }
        lowest = std::min(lowest, h);
        highest = std::max(highest, h);
        const double steps = (h - double(base)) / land.HeightStep;
        const long k = std::lround(steps);
        ASSERT_NEAR(steps, double(k), 1e-3) << "a height change is not a whole number of steps";
        ASSERT_EQ(heightOfStep.emplace(k, h).first->second, h) << "two heights for step " << k;
        if (x == N - 1 || z == N - 1) continue;
        if (land.IsFlatSquare(x, z)) highestFlat = std::max(highestFlat, h);
      }
    ASSERT_TRUE(rim < lowest && std::abs(lowest + highest) < 1e-4) << lowest << " " << highest;
    ASSERT_EQ(land.HighestPoint(), highest);  // exact after making: sight lines rely on it
    const glm::vec3 second = Play.Program.Scene.GLLightSource3->Position();
    ASSERT_TRUE(second.y >= 2 * N + highest - 1e-3 && second.y < 4 * N + highest + 1e-3 &&
                second.x >= 0.5f - N - 1e-3 && second.x <= 1.5f * N + 0.5f + 1e-3)
        << second.x << "," << second.y;

    ASSERT_EQ(std::tuple(sentries, test::UsedScanners(land)), std::tuple(sites - 1, sites));
    ASSERT_GE(trees, 3);
    const TSquareEntry& top = land.SquaresByHeight(0);
    const TStackedObject& pedestal = land.Object(top.X, top.Z, 1);
    const glm::vec3 light = Play.Program.Scene.GLLightSource1->Position();
    ASSERT_EQ(std::tuple(top.Height, pedestal.Kind, pedestal.Base, land.TopLevel(top.X, top.Z),
                         land.TolmarchX, land.TolmarchZ, land.PedestalGround, light.x, light.z),
              std::tuple(highestFlat, go_pedestal, top.Height, 2, float(top.X), float(top.Z),
                         top.Height, top.X + 0.5f, top.Z + 0.5f));
    std::set<std::pair<int, int>> listed;
    for (int i = 0; i <= land.SquareCount; ++i) {
      const TSquareEntry& e = land.SquaresByHeight(i);
      ASSERT_TRUE(land.IsFlatSquare(e.X, e.Z) && e.Height == land.PointHeight(e.X, e.Z)) << i;
      ASSERT_TRUE(listed.insert({e.X, e.Z}).second) << "listed twice: " << i;
      ASSERT_TRUE(i == 0 || e.Height <= land.SquaresByHeight(i - 1).Height) << i;
    }
    const double spacing = (std::sqrt(double(N) * N / land.SiteCount) - 1) * 0.45;
    const int apart = std::min(sites, std::max(20, land.SquareCount * 80 / 100));  // thinned
    for (int n = 1; n <= sites; ++n) {
      const TSquareEntry& site = land.SquaresByHeight(n - 1);
      const TScanner& s = land.Scanners(n);
      const TStackedObject& object = land.Object(s.PosX, s.PosZ, s.Level);
      ASSERT_EQ(std::tuple(s.PosX, s.PosZ, s.Type, object.Kind, object.Shape, float(s.BaseHgt)),
                std::tuple(site.X, site.Z, object.Kind, n == 1 ? go_tolmarch : go_sentry, s.Shape,
                           object.Base))
          << n;
      ASSERT_NEAR(s.ViewHgt, s.BaseHgt + land.ObjectHeights[s.Type], 1e-6) << n;
      for (int j = n; j < apart; ++j) {
        const TSquareEntry& b = land.SquaresByHeight(j);
        ASSERT_GT(std::hypot(double(site.X - b.X), double(site.Z - b.Z)), spacing - 1e-4) << j;
      }
    }
  }

  // Some scanner has little room for the trees it places: fewer flat empty squares within its
  // reach than a fiftieth of the grid, so that its 1200 random tries may all miss.
  bool ScannerShortOfRoom() {
    const TLandscape& land = Land();
    for (int n = 1; n <= MaxScanners; ++n) {
      const TScanner& scanner = land.Scanners(n);
      if (scanner.State == ss_Free) continue;
      const TStackedObject& top =
          land.Object(scanner.PosX, scanner.PosZ, land.TopLevel(scanner.PosX, scanner.PosZ));
      const double reach = top.Height + scanner.Level;
      int room = 0;
      for (int x = 1; x < land.GridSize; ++x)
        for (int z = 1; z < land.GridSize; ++z)
          room += land.IsFlatSquare(x, z) && land.TopLevel(x, z) == -1 &&
                  land.PointHeight(x, z) <= reach;
      if (room * 50 < land.GridSize * land.GridSize) return true;
    }
    return false;
  }

  play::TPlaySession Play;
  std::mt19937 Dice{20240611u};
  TPointedSquare Pointed;
  std::vector<std::pair<int, int>> Occupied;
  int Energy = 0;
};

// Many landscape numbers at every difficulty: none may fail, and each must come out whole, its
// objects where a new landscape puts them and the player in a robot.
TEST_F(RandomPlay, EveryLandscapeComesOutWhole) {
  std::vector<std::pair<int32_t, int32_t>> landscapes = {{-2147483647, 85}, {2147483647, 30}};
  uint32_t number = 1;
  for (int difficulty = 0; difficulty <= 100; difficulty += 4)
    for (int i = 0; i < 12; ++i) {
      number = number * 2654435761u + 12345u;  // numbers spread over the whole range
      landscapes.emplace_back(static_cast<int32_t>(number % 2147483647u) - 1073741823, difficulty);
    }
  for (const auto& [landscape, difficulty] : landscapes) {
    SCOPED_TRACE(::testing::Message() << "landscape " << landscape << " at " << difficulty);
    Play.Start(landscape, difficulty);
    for (const std::string& line : Play.Program.Log.GetLines())
      ASSERT_NE(line.rfind("Error ", 0), 0u) << line;
    ASSERT_NO_FATAL_FAILURE(CheckWorld());
    ASSERT_NO_FATAL_FAILURE(CheckStart());
    const TPlayer& me = Play.Me();
    ASSERT_EQ(Land().Object(me.X, me.Z, Land().TopLevel(me.X, me.Z)).Kind, go_robot);
    ASSERT_TRUE(me.Alive);
  }
  // The bound on the heights follows a point raised above it.
  const float raised = Land().HighestPoint() + 1.0f;
  Land().SetPointHeight(3, 3, raised);
  EXPECT_EQ(Land().HighestPoint(), raised);
}

// Four games of 1500 steps at difficulties 0 to 90, a game end going on in the next landscape.
// The world's energy is kept from step to step but for a game end (the next landscape's energy
// follows the rule for a won or lost game) and a unit a scanner takes out of an object when its
// tree finds no place, possible only where it has little room.
TEST_F(RandomPlay, TheWorldStaysWholeAndKeepsItsEnergy) {
  const std::pair<int32_t, int32_t> games[] = {{5, 0}, {4711, 30}, {99, 60}, {123456, 90}};
  Play.Program.Settings.gs_S_Resources(8);  // more trees: more to absorb
  int effective = 0;
  for (const auto& [number, difficulty] : games) {
    Play.Start(number, difficulty);
    ASSERT_NO_FATAL_FAILURE(CheckWorld());
    int energy = Energy;
    for (int step = 0; step < 1500; ++step) {
      SCOPED_TRACE(::testing::Message()
                   << "landscape " << number << " at " << difficulty << ", step " << step);
      const int ended = Play.Windows.NextGameShown;
      const int playerEnergy = Land().Energy;
      const int playerSquare = Play.Me().X * MaxGridSize + Play.Me().Z;
      Play.Windows.Answer = static_cast<char>('1' + Roll(3));
      ASSERT_NO_THROW(Step());
      ASSERT_NO_FATAL_FAILURE(CheckWorld());
      effective +=
          Land().Energy != playerEnergy || Play.Me().X * MaxGridSize + Play.Me().Z != playerSquare;
      if (Play.Windows.NextGameShown != ended) {
        const play::TAnsweringWindowSystem& end = Play.Windows;
        ASSERT_EQ(Play.Windows.NextGameShown, ended + 1);
        ASSERT_EQ(Land().Energy, end.Won ? play::CarriedEnergy(end.EnergyAtEnd, end.DifficultyAtEnd)
                                         : StartEnergyFor(end.DifficultyAtEnd));
      } else if (Energy != energy) {
        ASSERT_LT(Energy, energy) << "the world's energy never grows";
        ASSERT_TRUE(ScannerShortOfRoom())
            << "the world's energy fell from " << energy << " to " << Energy;
      }
      energy = Energy;
    }
  }
  // The run is worth its time: many steps changed the player's energy or square, and
  // landscapes came to an end.
  EXPECT_GE(effective, 150);
  EXPECT_GE(Play.Windows.NextGameShown, 3);
}

}  // namespace
}  // namespace orvane
