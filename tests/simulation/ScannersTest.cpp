#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "simulation/SimulationFixture.h"
#include "world/MathKT.h"

namespace orvane {
namespace {

struct ScannersTest : ::testing::Test, test::TSimulationFixture {
  TLandscape& Land = MakeLandscape(4, 50);

  TScanner& Scanner(int n = 1) { return Land.Scanners(n); }
  TStackedObject& ScannerObject(int n = 1) {
    return Land.Object(Scanner(n).PosX, Scanner(n).PosZ, Scanner(n).Level);
  }

  // A square `distance` squares from scanner 1, along the axis that has room.
  std::pair<int, int> Ahead(int distance) {
    const int dz = Scanner().PosZ < Land.GridSize / 2 ? distance : -distance;
    return {Scanner().PosX, Scanner().PosZ + dz};
  }
  void PutPlayer(std::pair<int, int> square) {
    Land.Player().X = square.first;
    Land.Player().Z = square.second;
    Land.Player().EyeHgt = Land.PointHeight(square.first, square.second) + 1.45;
  }
  // A flat world at height 0 that holds only scanner 1 and its stack. The scanner faces the
  // squares ahead with a 40 degree sector; the player stands aside, out of it.
  void EmptyFlatWorldFacingAhead() {
    SetHeights([](int, int) { return 0.0f; });
    for (int x = 0; x < Land.GridSize; ++x)
      for (int z = 0; z < Land.GridSize; ++z)
        if (x != Scanner().PosX || z != Scanner().PosZ)
          while (Land.TopLevel(x, z) >= 1)
            Land.RemoveGameObject(x, z, false, -1);
    for (int n = 2; n <= MaxScanners; ++n)
      Land.ClearScanner(n);
    ScannerObject().Angle = Scanner().PosZ < Land.GridSize / 2 ? 0.0f : 180.0f;
    Scanner().Rotation = 40.0f;
    PutPlayer({Scanner().PosX + (Scanner().PosX < Land.GridSize / 2 ? 10 : -10), Scanner().PosZ});
  }
  // The player's energy and that of every tree, boulder and robot in the world.
  int WorldEnergy() {
    int energy = Land.Energy;
    for (int x = 0; x < Land.GridSize; ++x)
      for (int z = 0; z < Land.GridSize; ++z)
        for (int level = 1; level <= MaxStack; ++level)
          if (const int kind = Land.Object(x, z, level).Kind; kind >= go_tree && kind <= go_robot)
            energy += ObjectEnergy[kind];
    return energy;
  }
  // Every scanner idle and blind, so that each scan ends in a turn.
  void BlankScans() {
    for (int n = 1; n <= Land.SiteCount; ++n) {
      Scanner(n).ViewHgt = -1000.0;
      Scanner(n).State = ss_Idle;
    }
  }
  // The animation of a kind on scanner n's square, at its object's level or the one given, or -1.
  int AnimationOn(int n, TAnimationKind kind, int level = -1) {
    for (int slot = 0; slot < AnimationSlots; ++slot) {
      const TAnimation& a = Land.Animations(slot);
      if (a.Kind == kind && a.X == Scanner(n).PosX && a.Z == Scanner(n).PosZ &&
          a.Level == (level < 0 ? Scanner(n).Level : level))
        return slot;
    }
    return -1;
  }
};

// Nothing moves until the player first acts; then idle scanners start, and so does one that saw
// the player while idle (no wait or turn of its own), but not one already waiting. A scanner
// absorbed during its wait starts nothing; stopped ones leave their objects still.
TEST_F(ScannersTest, IdleUntilStartedThenIdleAndStuckScannersStartUntilAbsorbedOrStopped) {
  ASSERT_GE(Land.SiteCount, 3);
  Advance(20.0);
  for (int n = 1; n <= Land.SiteCount; ++n) {
    EXPECT_TRUE(AnimationOn(n, ga_Scan) < 0 && AnimationOn(n, ga_rotate) < 0) << n;
    Scanner(n).State = ss_Idle;
  }
  Scanner(1).State = ss_Seen;
  Scanner(3).State = ss_Seen;
  Land.StartAnimation(Scanner(3).PosX, Scanner(3).Level, Scanner(3).PosZ, 0.0f, ga_Scan, Host.Clock,
                      50.0f, 0.0f, 0.0f);
  Simulation.StartScanners();
  for (const int n : {1, 2, 3}) {
    const int slot = AnimationOn(n, ga_Scan);
    ASSERT_GE(slot, 0) << n;
    EXPECT_EQ(std::tuple(Scanner(n).State, Land.Animations(slot).Duration),
              std::tuple(n == 3 ? ss_Seen : ss_Scan, n == 3 ? 50.0f : Scanner(n).TScan));
  }
  const TScanner absorbed = Scanner();
  Simulation.ClearScannerAt(absorbed.PosX, absorbed.PosZ);
  EXPECT_EQ(Simulation.FindScanner(absorbed.PosX, absorbed.PosZ), 0);
  Advance(std::max(12.0, absorbed.TScan + 1.0));
  for (int slot = 0; slot < AnimationSlots; ++slot) {
    const TAnimation& a = Land.Animations(slot);
    EXPECT_TRUE(a.Kind == ga_static || a.X != absorbed.PosX || a.Z != absorbed.PosZ)
        << AnimationKindName(a.Kind);
  }
  Simulation.StopScanners();
  for (int n = 2; n <= Land.SiteCount; ++n) {
    EXPECT_EQ(std::tuple(Scanner(n).State, ScannerObject(n).Animation), std::tuple(ss_Idle, -1));
    for (int kind = ga_appear; kind <= ga_FissionMove; ++kind)
      EXPECT_EQ(AnimationOn(n, TAnimationKind(kind)), -1);
  }
}

// A player no higher than the scanner's eye is never seen. One that is seen while the scanner
// drains loses a unit to a tree in the scanner's view, or nothing without room for the tree.
TEST_F(ScannersTest, APlayerBelowTheEyeIsSeenAndDrainedIntoATreeOrNone) {
  EmptyFlatWorldFacingAhead();
  PutPlayer(Ahead(5));
  for (const double eye : {0.5, 0.0, 0.5}) {
    Scanner().ViewHgt = eye;
    EXPECT_EQ(Simulation.CanSeePlayer(1, false), eye > 0.0);
    EXPECT_EQ(Scanner().Seen, eye > 0.0 ? sn_Seen : sn_NotSeen);
  }
  Land.SetEnergy(10);
  const int energy = WorldEnergy();
  EXPECT_EQ(Simulation.ScanStep(1, true), sr_Player);
  EXPECT_EQ(std::tuple(Land.Energy, WorldEnergy()), std::tuple(9, energy));
  EXPECT_EQ(std::tuple(Scanner().State, Host.WarningColour), std::tuple(ss_Drain, 255u));

  SetHeights([](int x, int) { return 0.01f * float(x); });  // no flat square anywhere
  EXPECT_EQ(Simulation.ScanStep(1, true), sr_Player);
  EXPECT_EQ(std::tuple(Land.Energy, WorldEnergy()), std::tuple(9, energy));
}

// While the landscape ends (its leaving or dying under way, or the next-game dialog open) a
// scan that ends takes nothing, from the player or from what the player built, and the
// scanner goes on to its next turn.
TEST_F(ScannersTest, WhileTheLandscapeEndsAScanTakesNothing) {
  EmptyFlatWorldFacingAhead();
  PutPlayer(Ahead(5));
  Scanner().ViewHgt = 0.5;
  const auto [x, z] = Ahead(7);
  Land.AddGameObject(x, z, go_robot, 0.0f, false);
  Land.SetEnergy(10);
  const auto scanEnds = [&] {
    Scanner().State = ss_Scan;
    Scanner().Blank = 0;
    Simulation.ScanEnded(Scanner().PosX, Scanner().PosZ);
    EXPECT_EQ(Land.Energy, 10);
    EXPECT_EQ(Land.Object(x, z, 1).Kind, go_robot);
    EXPECT_GE(AnimationOn(1, ga_rotate), 0) << "a blank scan: the next turn";
    Simulation.StopScanners();  // the turn ends
  };
  for (const TAnimationKind ending : {ga_Leave, ga_Dead}) {
    const int slot = Land.StartAnimation(0, 0, 0, 0.0f, ending, Host.Clock, 1.5f, 0.0f, 0.0f);
    scanEnds();
    Land.Animations(slot).Kind = ga_static;
  }
  Host.OnNextGameDialog = [&] { scanEnds(); };
  Simulation.GameEnd(false);
  EXPECT_EQ(Host.Results.size(), 1u);
}

TEST_F(ScannersTest, ScansTakeOneUnitFromWhatThePlayerBuilt) {
  EmptyFlatWorldFacingAhead();
  Scanner().ScanEff = 20.0f;
  const auto [x, z] = Ahead(6);
  Land.AddGameObject(x, z, go_robot, 0.0f, false);
  const int energy = WorldEnergy();

  EXPECT_EQ(Simulation.ScanStep(1, true), sr_Objects);
  EXPECT_EQ(std::tuple(Land.Object(x, z, 1).Kind, WorldEnergy()), std::tuple(go_boulder, energy));
  Advance(1.0);  // the new boulder settles
  EXPECT_EQ(Simulation.ScanStep(1, true), sr_Objects);
  EXPECT_EQ(std::tuple(Land.Object(x, z, 1).Kind, WorldEnergy()), std::tuple(go_tree, energy));

  Advance(1.0);
  EXPECT_EQ(Simulation.ScanStep(1, true), sr_Nothing);  // trees on the ground stay
  const auto [bx, bz] = Ahead(4);
  Land.AddGameObject(bx, bz, go_boulder, 0.0f, false);
  Land.AddGameObject(bx, bz, go_tree, 0.0f, true);
  const int stacked = WorldEnergy();
  EXPECT_EQ(Simulation.ScanStep(1, true), sr_Nothing);  // nothing under an appearing object
  EXPECT_EQ(Land.TopLevel(bx, bz), 2);
  Advance(1.0);
  EXPECT_EQ(Simulation.ScanStep(1, true), sr_Objects);
  EXPECT_EQ(std::tuple(Land.TopLevel(bx, bz), WorldEnergy()), std::tuple(1, stacked));
}

// A search draws x, then z, for each square it tries, and nothing else, so that what follows
// it draws the same numbers as ever; it stops at the prey wherever that falls in the draws.
TEST_F(ScannersTest, ASearchDrawsTwoNumbersASquareAndStopsAtThePrey) {
  EmptyFlatWorldFacingAhead();
  const int grid = Land.GridSize;
  for (const int tries : {3, 4, grid * grid / 2}) {  // odd and even numbers of squares
    Scanner().ScanEff = (float(tries) + 0.5f) / float(grid * grid);
    TRandom expected = Random;
    for (int i = 0; i < tries * 2; ++i)
      expected.Random(grid);
    EXPECT_EQ(Simulation.ScanStep(1, true), sr_Nothing);
    EXPECT_EQ(Random.RandomSeed, expected.RandomSeed) << tries;
  }

  const auto [x, z] = Ahead(6);
  Scanner().ScanEff = 4.0f;
  for (uint32_t seed = 1; seed <= 6; ++seed) {
    Land.AddGameObject(x, z, go_boulder, 0.0f, false);
    Random.RandomSeed = seed * 7919;
    TRandom expected = Random;
    for (;;) {
      const int drawnX = expected.Random(grid) + 1;
      if (drawnX == x && expected.Random(grid) + 1 == z) break;
      if (drawnX != x) expected.Random(grid);
    }
    EXPECT_EQ(Simulation.ScanStep(1, true), sr_Objects);
    ASSERT_EQ(Land.Object(x, z, 1).Kind, go_tree);
    EXPECT_EQ(Land.Object(x, z, 1).Angle, float(expected.Random() * 360)) << seed;
    Land.RemoveGameObject(x, z, false, 1);
  }
}

// What a scanner found it cannot see is looked at again once the ground or its eye changes.
TEST_F(ScannersTest, ABoulderBehindARidgeIsTakenOnceTheRidgeOrTheEyeMoves) {
  EmptyFlatWorldFacingAhead();
  Scanner().ScanEff = 20.0f;
  Scanner().ViewHgt = 2.0;
  const int ridge = Ahead(4).second;
  const auto raiseRidge = [&](float h) {
    SetHeights([&](int, int z) { return z == ridge ? h : 0.0f; });
  };
  const auto [x, z] = Ahead(8);
  Land.AddGameObject(x, z, go_boulder, 0.0f, false);
  raiseRidge(5.0f);
  EXPECT_EQ(Simulation.ScanStep(1, true), sr_Nothing);
  raiseRidge(0.0f);
  EXPECT_EQ(Simulation.ScanStep(1, true), sr_Objects);
  EXPECT_EQ(Land.Object(x, z, 1).Kind, go_tree);

  raiseRidge(5.0f);
  Land.RemoveGameObject(x, z, false, 1);
  Land.AddGameObject(x, z, go_boulder, 0.0f, false);
  EXPECT_EQ(Simulation.ScanStep(1, true), sr_Nothing);
  Scanner().ViewHgt = 50.0;
  EXPECT_EQ(Simulation.ScanStep(1, true), sr_Objects);
  EXPECT_EQ(Land.Object(x, z, 1).Kind, go_tree);
}

// A scan's tree goes on the first square drawn that is flat, empty and in the sector, whichever
// way the scanner turns, across 0 degrees or not, facing past a full turn or below zero. With the
// Tolmarch at (8, 3) of 25 squares each sector is drawn within the 601 tries that look at it.
TEST_F(ScannersTest, TreesFromAScanGoOnTheFirstFreeSquareDrawnInTheSector) {
  EmptyFlatWorldFacingAhead();
  const int grid = Land.GridSize, px = Scanner().PosX, pz = Scanner().PosZ;
  ASSERT_EQ(std::tuple(grid, px, pz), std::tuple(25, 8, 3));
  const std::pair<float, float> sectors[] = {{400.0f, 40.0f}, {0.0f, -40.0f},    {10.0f, -60.0f},
                                             {90.0f, -40.0f}, {-320.0f, -30.0f}, {-100.0f, -30.0f}};
  for (const auto& [facing, rotation] : sectors) {
    ScannerObject().Angle = facing;
    Scanner().Rotation = rotation;
    const double lo = facing - std::abs(rotation) / 2;
    const auto inSector = [&](int x, int z) {
      const double d = RadToDeg(std::atan2(double(x - px), double(z - pz)));
      return std::fmod(d - lo + 720.0, 360.0) < std::abs(rotation);
    };
    TRandom draws = Random;
    int x = 0, z = 0, tries = 0;
    do {
      x = draws.Random(grid) + 1;
      z = draws.Random(grid) + 1;
    } while (++tries, x == grid || z == grid || Land.TopLevel(x, z) != -1 || !inSector(x, z));
    ASSERT_LE(tries, 601) << facing;
    ASSERT_TRUE(Simulation.PlaceTreeInView(1));
    ASSERT_EQ(Land.TopLevel(x, z), 1) << facing << " " << rotation;
    EXPECT_EQ(Land.Object(x, z, 1).Kind, go_tree);
  }
}

// Blank scans count up to DoBlank; the last turns the scanner and starts the count again. The
// turn's sound lasts the whole turn, and a scan follows. At full difficulty a turn takes no
// time, and ends in the frame it starts in.
TEST_F(ScannersTest, BlankScansEndInATurnThatLastsItsTimeAndAScanFollows) {
  BlankScans();
  for (const int doBlank : {1, 3}) {
    Scanner().DoBlank = doBlank;
    for (int scan = 1; scan <= doBlank; ++scan) {
      Scanner().State = ss_Scan;
      Simulation.StopScanners();  // the last scan's wait or turn ends
      Simulation.ScanEnded(Scanner().PosX, Scanner().PosZ);
      const bool turn = scan == doBlank;
      const int wait = AnimationOn(1, ga_Scan);
      EXPECT_EQ(std::tuple(Scanner().Blank, AnimationOn(1, ga_rotate) >= 0, wait >= 0),
                std::tuple(turn ? 0 : scan, turn, !turn))
          << doBlank << ", scan " << scan;
      EXPECT_TRUE(turn || Land.Animations(wait).Duration == Scanner().TScan);
    }
  }
  for (const int difficulty : {50, 100}) {
    MakeLandscape(4, difficulty);
    ASSERT_EQ(Scanner().TTurn == 0.0f, difficulty == 100);
    BlankScans();  // also of one that saw the player arrive
    const float from = float(WrapDegrees(ScannerObject().Angle));
    Simulation.StartScanners();
    for (int frame = 0; frame < 1200 && AnimationOn(1, ga_rotate) < 0; ++frame)
      Advance(1.0 / 60);
    const int turn = AnimationOn(1, ga_rotate), sound = AnimationOn(1, ga_SoundRotate, 0);
    ASSERT_TRUE(turn >= 0 && sound >= 0);
    const float duration = Land.Animations(turn).Duration;
    EXPECT_FLOAT_EQ(Land.Animations(sound).Duration, duration);
    Advance(duration * 0.9);
    EXPECT_TRUE(AnimationOn(1, ga_rotate) >= 0 && Land.Animations(sound).Kind == ga_SoundRotate);
    Advance(duration * 0.1 + 1.0 / 60);
    EXPECT_TRUE(AnimationOn(1, ga_rotate) < 0 && AnimationOn(1, ga_Scan) >= 0) << difficulty;
    EXPECT_FLOAT_EQ(ScannerObject().Angle, from + Scanner().Rotation) << difficulty;
  }
}

// Idle scanners do not count.
TEST_F(ScannersTest, ScanWarningShowsTheWorstScan) {
  Host.Hints = {"IS5old", "IT1tip"};
  for (int n = 1; n <= MaxScanners; ++n)
    Scanner(n).Seen = sn_NotSeen;
  Scanner(1).State = ss_Drain;
  Scanner(1).Seen = sn_Drained;
  Scanner(2).State = ss_Seen;
  Scanner(2).Seen = sn_Seen;
  const std::string drained =
      "AS1You're being scanned! You're losing energy! Move somewhere else! QUICK!!";
  const std::string sensed =
      "AS1Your robot has sensed a hostile scan! Move away to avoid losing energy!";
  const auto warns = [&](uint32_t colour, std::vector<std::string> hints) {
    Simulation.ScanWarning();
    EXPECT_EQ(Host.WarningColour, colour);
    EXPECT_EQ(Host.Hints, hints);
  };
  warns(255u, {"IT1tip", drained});
  Scanner(1).State = ss_Idle;
  warns(clOrange, {"IT1tip", sensed});
  Scanner(2).Seen = sn_NotSeen;
  warns(0u, {"IT1tip"});
}

// The quick sector test must agree with the plain one on every square, edges included.
TEST(Sector, TheQuickTestNeverChangesTheAnswer) {
  TRandom random;
  random.RandomSeed = 99;
  for (int trial = 0; trial < 400; ++trial) {
    const int px = random.Random(128), pz = random.Random(128);
    // Facings past a whole turn and below zero; some edges on diagonals and axes of the grid.
    const bool onEdges = trial % 3 == 0;
    const double facing = onEdges ? 45.0 * (trial % 17) - 180.0 : random.Random() * 1080.0 - 360.0;
    const double narrow = trial % 20 == 2 ? 0.0 : 0.015;  // about the quick tests' margins
    const double width = onEdges           ? 90.0
                         : trial % 10 == 1 ? 359.99
                         : trial % 10 == 2 ? narrow
                         : trial % 10 == 3 ? 360.0
                                           : 20.0 + random.Random() * 115.0;
    const TSector sector(px, pz, facing, width);
    const double lo = WrapDegrees(facing - width / 2), hi = WrapDegrees(lo + width);
    for (int x = 0; x <= 128; ++x)
      for (int z = 0; z <= 128; ++z) {
        const double d = WrapDegrees(RadToDeg(std::atan2(double(x - px), double(z - pz))));
        const bool inside = lo > hi ? (d >= lo || d < hi) : (lo <= d && d < hi);
        ASSERT_EQ(sector.Holds(x, z), inside)
            << "facing " << facing << " width " << width << " at " << x << "," << z;
        ASSERT_TRUE(!inside || sector.MayHold(x, z)) << "facing " << facing << " width " << width;
      }
  }
}

}  // namespace
}  // namespace orvane
