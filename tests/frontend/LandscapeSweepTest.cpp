// Many landscape numbers at every difficulty: none may fail, and each must come out whole,
// with its Tolmarch on the pedestal, its scanners on their objects and the player in a robot.

#include <gtest/gtest.h>

#include "frontend/Program.h"

namespace orvane {
namespace {

TEST(LandscapeSweep, EveryLandscapeComesOutWhole) {
  TProgram program;
  program.Settings.ApplyDefaultSettings();
  program.Settings.gs_S_LandscapeRandom(false);
  program.Form1.CreateGame();
  uint32_t number = 1;
  for (int difficulty = 0; difficulty <= 100; difficulty += 4) {
    for (int i = 0; i < 12; ++i) {
      number = number * 2654435761u + 12345u;  // numbers spread over the whole range
      const int32_t landscape = static_cast<int32_t>(number % 2147483647u) - 1073741823;
      program.Settings.gs_S_Difficulty(difficulty);
      program.Settings.gs_S_LandscapeNumber(landscape);
      program.Form1.Game->Init();
      const TLandscape& land = program.Landscape();
      SCOPED_TRACE(::testing::Message() << "landscape " << landscape << " at " << difficulty);
      for (const std::string& line : program.Log.GetLines())
        ASSERT_NE(line.rfind("Error ", 0), 0u) << line;

      ASSERT_GE(land.SquareCount, 0);
      const TSquareEntry& top = land.SquaresByHeight(0);
      ASSERT_EQ(land.Object(top.X, top.Z, 1).Kind, go_pedestal);
      ASSERT_EQ(land.Object(top.X, top.Z, 2).Kind, go_tolmarch);
      int scanners = 0;
      for (int n = 1; n <= MaxScanners; ++n) {
        const TScanner& s = land.Scanners(n);
        if (s.State == ss_Free) continue;
        ++scanners;
        ASSERT_EQ(land.Object(s.PosX, s.PosZ, s.Level).Kind, s.Type);
      }
      ASSERT_GE(scanners, 1);
      ASSERT_LE(scanners, land.SiteCount);
      const TPlayer& player = land.Player();
      ASSERT_EQ(land.Object(player.X, player.Z, land.TopLevel(player.X, player.Z)).Kind, go_robot);
      ASSERT_TRUE(player.Alive);
      // Every stack stands gap-free, each object on the one below.
      for (int x = 0; x < land.GridSize; ++x)
        for (int z = 0; z < land.GridSize; ++z) {
          float base = land.PointHeight(x, z);
          for (int level = 1; level <= land.TopLevel(x, z); ++level) {
            const TStackedObject& object = land.Object(x, z, level);
            ASSERT_NE(object.Kind, go_none);
            ASSERT_EQ(object.Base, base);
            base = object.Base + object.Height;
          }
        }
    }
  }
}

}  // namespace
}  // namespace orvane
