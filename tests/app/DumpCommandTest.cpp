#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>
#include <glm/glm.hpp>

#include "frontend/DumpCommand.h"
#include "scene/Scene.h"

namespace orvane {
namespace {

struct TRun {
  int Status = -1;
  std::string Out, Err;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the program with the given arguments and collects what it prints, in files of the test's
// own: CTest runs tests side by side.
TRun RunProgram(const std::string& arguments) {
  const std::string files = ::testing::TempDir() + "orvane_" +
                            ::testing::UnitTest::GetInstance()->current_test_info()->name();
  const std::string output = " >" + files + ".out 2>" + files + ".err";
  const int status = std::system((std::string(ORVANE_BINARY) + " " + arguments + output).c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(files + ".out"),
          ReadFile(files + ".err")};
}

// What the dump does not hold: the palette and the second light, which follow from the
// number, and the first of the numbers drawn from the clock before it.
struct TBesidesTheDump {
  std::vector<glm::vec4> Colours;
  double ClockDrawn = 0.0;
};

// The dump made inside this process, the way the program makes it.
std::string DumpInProcess(int32_t number, int32_t difficulty, uint32_t clock,
                          TBesidesTheDump* besides = nullptr) {
  const auto lookAt = [besides](const TLandscape& land) {
    if (!besides) return;
    const glm::vec4 light(land.Links().Scene.GLLightSource3->Position(), 1);
    besides->Colours = {
        land.FlatColourOdd,  land.FlatColourEven,  land.SkyColour,         land.SlopeColourEven,
        land.SlopeColourOdd, land.MainLightColour, land.SecondLightColour, light};
    besides->ClockDrawn = land.Params(1);
  };
  const auto fixedClock = [clock] { return clock; };
  return DumpLandscape(number, difficulty, fixedClock, {}, lookAt).Json + "\n";
}

// A number is all players need to share a landscape: its heights, squares, objects with their
// angles, scanners and the player's square come back the same twice in one process, whatever
// the clock; in another process, the arguments in either order and the difficulty 0 when none is
// given, with the log of --verbose kept off standard output. So do its palette and lights,
// which the dump does not hold. (That a number drawn from the clock replays: the console's new.)
TEST(LandscapeDump, TheSameNumberReplaysTheSameLandscape) {
  TBesidesTheDump besides, besidesAgain;
  const std::string first = DumpInProcess(2016, 100, 1, &besides);
  EXPECT_EQ(DumpInProcess(2016, 100, 86'399'999, &besidesAgain), first);
  EXPECT_EQ(besidesAgain.Colours, besides.Colours);
  EXPECT_NE(besidesAgain.ClockDrawn, besides.ClockDrawn) << "the clocks made a difference";

  const TRun a = RunProgram("--dump-landscape 2016 --difficulty 100");
  const TRun b = RunProgram("--verbose --difficulty 100 --dump-landscape 2016");
  ASSERT_EQ(a.Status, 0) << a.Err;
  EXPECT_EQ(std::tuple(a.Out, a.Err, b.Out), std::tuple(first, "", first));
  EXPECT_NE(b.Err, "");
  EXPECT_EQ(RunProgram("--dump-landscape -77").Out, DumpInProcess(-77, 0, 3));
}

TEST(LandscapeDump, BadNumbersAreRefusedWithAClearMessage) {
  for (const char* arguments :
       {"--dump-landscape abc", "--dump-landscape 2147483648", "--dump-landscape -2147483648",
        "--dump-landscape 1.5", "--dump-landscape", "--dump-landscape 5 --difficulty 101",
        "--dump-landscape 5 --difficulty -1", "--dump-landscape 5 --difficulty x",
        "--dump-landscape ''", "--bogus"}) {
    const TRun run = RunProgram(arguments);
    EXPECT_EQ(run.Status, 2) << arguments;
    EXPECT_EQ(run.Out, "") << arguments;
    EXPECT_NE(run.Err.find("orvane: "), std::string::npos) << arguments;
  }
}

uint64_t Fnv1a(const std::string& text) {
  uint64_t hash = 14695981039346656037ull;
  for (const unsigned char c : text)
    hash = (hash ^ c) * 1099511628211ull;
  return hash;
}

// Players share landscape numbers: a change to the generator, the placement or the shapes'
// random draws would silently give them other landscapes. These prints were made once and
// are kept; a change that means to alter landscapes must say so and renew them.
TEST(LandscapeDump, LandscapesStayTheSameFromOneVersionToTheNext) {
  EXPECT_EQ(Fnv1a(DumpInProcess(2016, 100, 1)), 15333850191424362215ull);
  EXPECT_EQ(Fnv1a(DumpInProcess(1, 0, 1)), 7100251865759417103ull);
  EXPECT_EQ(Fnv1a(DumpInProcess(-77, 45, 1)), 14964244442319304906ull);
}

}  // namespace
}  // namespace orvane
