// Whole landscapes played through the main window's logic with nothing but the player's
// actions and the frame tick, to their end in the next-game dialog and into the next landscape.

#include <tuple>

#include <gtest/gtest.h>

#include "frontend/PlayHelpers.h"

namespace orvane {
namespace {

class Playthrough : public ::testing::Test {
 protected:
  // Moves the player into a new robot on a flat square well inside an idle scanner's view
  // sector and sight, below its eye; creating the robot starts the scanners.
  bool MoveIntoAScannersView() {
    int x = -1, z = -1;
    for (int n = 1; n <= Land().SiteCount && x < 0; ++n) {
      const TScanner& scanner = Land().Scanners(n);
      if (scanner.State != ss_Idle) continue;
      const glm::vec3 eye(scanner.PosX + 0.5f, scanner.ViewHgt, scanner.PosZ + 0.5f);
      for (int i = Land().SquareCount; i >= 0 && x < 0; --i) {
        const TSquareEntry& square = Land().SquaresByHeight(i);
        if (Land().TopLevel(square.X, square.Z) == -1 && square.Height < scanner.ViewHgt &&
            Play.Sim().InSector(n, square.X, square.Z) &&
            Play.Sim().SquareVisibility(square.X, square.Z, eye) > 0.5f)
          x = square.X, z = square.Z;
      }
    }
    if (x < 0) return false;
    Play.Sim().CreateRobot(Play.At(x, z));
    Play.Run();
    Play.Sim().Transfer(Play.At(x, z));
    return Play.Me().X == x && Play.Me().Z == z;
  }

  // Boulders on the highest flat empty square the player sees until an eye there is above the
  // Tolmarch's base, a shell on top, and the player in it.
  void ClimbAboveTheTolmarchsBase() {
    int x = -1, z = -1;
    for (int i = 0; i <= Land().SquareCount && x < 0; ++i) {
      const TSquareEntry& square = Land().SquaresByHeight(i);
      if (Land().TopLevel(square.X, square.Z) == -1 &&
          Play.Sim().SquareVisibility(square.X, square.Z, Play.Eye()) > 0.0f)
        x = square.X, z = square.Z;
    }
    ASSERT_GE(x, 0) << "nowhere to go";
    const float goal = Land().PedestalGround + Land().ObjectHeights[go_pedestal];
    float top = Land().PointHeight(x, z);
    for (; top + 1.45f <= goal; top += Land().ObjectHeights[go_boulder]) {
      Play.Sim().CreateBoulder(Play.At(x, z));
      Play.Run();
    }
    Play.Sim().CreateRobot(Play.At(x, z));
    Play.Run();
    Play.Sim().Transfer(Play.At(x, z));
    ASSERT_EQ(glm::ivec2(Play.Me().X, Play.Me().Z), glm::ivec2(x, z));
    EXPECT_FLOAT_EQ(Play.Me().EyeHgt, top + 1.45f);
  }

  TLandscape& Land() { return Play.Land(); }

  play::TPlaySession Play;
};

// Landscape 11 at difficulty 0 has the Tolmarch alone; the climb takes it long before its first
// scan (about 11 s after the player's first action), so that the player is never drained.
TEST_F(Playthrough, AWonGameCarriesPartOfTheEnergyIntoTheNextLandscape) {
  Play.Windows.Answer = '3';  // more difficult
  Play.Start(11, 0);
  ASSERT_EQ(Land().SiteCount, 1) << "no sentries";
  Land().SetEnergy(60);  // enough for one climb
  ASSERT_NO_FATAL_FAILURE(ClimbAboveTheTolmarchsBase());

  // The Tolmarch, absorbed from above, leaves its pedestal empty for a robot the player goes into.
  const int tx = static_cast<int>(Land().TolmarchX), tz = static_cast<int>(Land().TolmarchZ);
  Play.Sim().Absorb(Play.At(tx, tz));
  Play.Run(1.5);
  ASSERT_EQ(Land().TopLevel(tx, tz), 1) << "the pedestal left empty";
  Play.Sim().CreateRobot(Play.At(tx, tz));
  Play.Run();
  Play.Sim().Transfer(Play.At(tx, tz));
  ASSERT_EQ(glm::ivec2(Play.Me().X, Play.Me().Z), glm::ivec2(tx, tz));
  Play.Run();

  // Leaving needs no pointer and starts once, however often pressed.
  const int leaving = Land().Energy;
  Play.Sim().Transfer({});
  Play.Tick();
  Play.Sim().Transfer({});
  EXPECT_EQ(Play.Slots(ga_Leave), 1);
  for (int frame = 0; frame < 120 && Play.Windows.NextGameShown == 0; ++frame)
    Play.Tick();
  ASSERT_EQ(Play.Windows.NextGameShown, 1) << "the leave animation ends within 1.5 s";
  EXPECT_EQ(std::tuple(Play.Windows.Won, Play.Windows.EnergyAtEnd, Play.Drained),
            std::tuple(true, leaving, false));
  const int carried = play::CarriedEnergy(leaving, 0);
  EXPECT_EQ(Play.Windows.Narrative,
            "WELL DONE! You have defeated the Tolmarch and achieved the Orvane. " +
                std::to_string(carried) + " energy units will be carried into the next landscape.");

  // The next landscape, one step more difficult, starts with the energy the message promised.
  EXPECT_EQ(std::tuple(Play.Program.Settings.GameSpec().S_Difficulty, Land().Energy,
                       Land().Object(int(Land().TolmarchX), int(Land().TolmarchZ), 2).Kind,
                       Land().Scanners(1).State, Play.Me().Alive),
            std::tuple(3, carried, go_tolmarch, ss_Idle, true));
}

// In a frame of a whole second (a sleeping view's) each scanner scans as often as its waits fit
// into the second: a wait that starts during the frame takes what is left of it.
TEST_F(Playthrough, ALongFrameRunsEachScannersWaitsForAsLongAsItLasts) {
  Play.Program.Settings.gs_S_ScanSpeed(8);
  Play.Start(123456, 90);
  Land().SetEnergy(200);
  ASSERT_TRUE(MoveIntoAScannersView());
  bool aScannerDrainedTwice = false;
  for (int frame = 0; frame < 40 && Play.Windows.NextGameShown == 0; ++frame) {
    const int energy = Land().Energy;
    double mostScans = 0;  // the scans the frame has room for, over all scanners
    for (int n = 1; n <= MaxScanners; ++n)
      if (Land().Scanners(n).State != ss_Free) mostScans += 1.0 / Land().Scanners(n).TPlyr + 1;
    Play.Tick(1.0);
    if (Play.Windows.NextGameShown) break;
    EXPECT_LE(energy - Land().Energy, mostScans) << "frame " << frame;
    int draining = 0;  // the scanners whose last scan drained the player
    for (int n = 1; n <= MaxScanners; ++n)
      draining += Land().Scanners(n).State != ss_Free && Land().Scanners(n).Seen == sn_Drained;
    aScannerDrainedTwice = aScannerDrainedTwice || energy - Land().Energy > draining;
  }
  EXPECT_TRUE(Play.Drained);
  EXPECT_TRUE(aScannerDrainedTwice);
}

// Landscape 44 at difficulty 84, where three sentries see the square the player starts on, lost:
// the next one (the same landscape again) is made inside the frame in which the red fog ends,
// its scanners' scan sounds starting there; the tension they raise is the new landscape's, set
// to 1, and is not raised twice for one sound.
TEST_F(Playthrough, ANewLandscapeMadeInsideAFrameStartsAtRest) {
  Play.Start(44, 84);
  int seeing = 0;
  for (int n = 1; n <= MaxScanners; ++n)
    seeing += Land().Scanners(n).State == ss_Seen;
  ASSERT_EQ(seeing, 3);
  Play.Run(1.0);
  Land().SetEnergy(-1);
  for (int frame = 0; frame < 120 && Play.Windows.NextGameShown == 0; ++frame)
    Play.Tick();
  ASSERT_EQ(Play.Windows.NextGameShown, 1);
  EXPECT_EQ(std::tuple(Play.Windows.Won, Play.Form.Game->Audio.Tension), std::tuple(false, 1.0f));
  for (int n = 1; n <= MaxScanners; ++n)
    EXPECT_TRUE(Land().Scanners(n).State != ss_Seen || Land().Scanners(n).Seen == sn_Seen) << n;
}

}  // namespace
}  // namespace orvane
