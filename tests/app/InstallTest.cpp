#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "console/ConsoleSession.h"
#include "console/TextFiles.h"

namespace orvane::console_test {
namespace {

namespace fs = std::filesystem;

int Status(const std::string& command) {
  const int ended = std::system(command.c_str());
  return WIFEXITED(ended) ? WEXITSTATUS(ended) : -1;
}

// Installed under a prefix, the game runs in the player's own folder: its first start fills it
// with the shipped files and empty snapshot/ and saved/ folders; a later start leaves what the
// player changed there. The landscape dump and the batch mode work from anywhere.
TEST(Install, TheInstalledGamePlaysInThePlayersOwnFolder) {
  TWorkingFolder folder;
  const fs::path prefix = fs::absolute("prefix"), home = fs::absolute("home");
  ASSERT_EQ(Status("cmake --install " ORVANE_BUILD_DIR " --prefix " + prefix.string() +
                   " >install.txt 2>&1"),
            0);
  for (const char* installed :
       {"bin/orvane", "share/orvane/media/Orvane_Splash1.png", "share/orvane/media/EndGood.wav",
        "share/orvane/console_help/Help_Commands.txt", "share/orvane/script/DefaultStartGame.osc",
        "share/icons/hicolor/64x64/apps/orvane.png", "share/applications/orvane.desktop"})
    EXPECT_TRUE(fs::exists(prefix / installed)) << installed;

  const std::string game =
      "env -u XDG_DATA_HOME HOME=" + home.string() + " " + (prefix / "bin" / "orvane").string();
  EXPECT_EQ(Status(game + " --dump-landscape 7 >dump.txt 2>/dev/null"), 0);
  EXPECT_EQ(ReadTextLines("dump.txt").value_or(TLines{}).front().substr(0, 1), "{");

  TWorkingFolder::Write("hello.osc", {"ECHO hello", "TYPE DefaultStartGame"});
  EXPECT_EQ(Status(game + " --run hello.osc >out.txt 2>/dev/null"), 0);
  const TLines out = ReadTextLines("out.txt").value_or(TLines{});
  EXPECT_NE(std::find(out.begin(), out.end(), "  hello"), out.end());
  const fs::path player = home / ".local" / "share" / "orvane";
  for (const char* made : {"media/ScanPart.wav", "console_help/Help_Pref.txt",
                           "script/DefaultStartGame.osc", "snapshot", "saved"})
    EXPECT_TRUE(fs::exists(player / made)) << made;

  std::ofstream(player / "script" / "DefaultStartGame.osc") << "ECHO mine\n";
  EXPECT_EQ(Status(game + " --run hello.osc >out.txt 2>/dev/null"), 0);
  EXPECT_EQ(ReadTextLines((player / "script" / "DefaultStartGame.osc").string()),
            TLines{"ECHO mine"});
}

}  // namespace
}  // namespace orvane::console_test
