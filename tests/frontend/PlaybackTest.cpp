// The game's sound as the sound library plays it, written to a file by the library's wave
// output instead of a sound card: silence, a creation sound, the side it comes from, and the
// sounds stopped.

#include <unistd.h>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "console/Log.h"
#include "frontend/PlayHelpers.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// What the library wrote: 16-bit stereo frames at OutputRate.
constexpr int OutputRate = 22050;

struct TRecording {
  std::vector<int16_t> Samples;  // left, right, left, right...
  // The loudness (root mean square) of each channel between two times after the start.
  std::pair<double, double> Loudness(double from, double to) const {
    const size_t first = size_t(from * OutputRate), last = size_t(to * OutputRate);
    double left = 0, right = 0;
    size_t n = 0;
    for (size_t frame = first; frame < last && 2 * frame + 1 < Samples.size(); ++frame, ++n) {
      left += double(Samples[2 * frame]) * Samples[2 * frame];
      right += double(Samples[2 * frame + 1]) * Samples[2 * frame + 1];
    }
    return n ? std::pair(std::sqrt(left / n), std::sqrt(right / n)) : std::pair(-1.0, -1.0);
  }
};

class Playback : public ::testing::Test {
 protected:
  Playback() {
    fs::create_directories(Folder);
    std::ofstream(Folder / "alsoft.conf")
        << "[general]\ndrivers = wave\nchannels = stereo\n"
           "sample-type = int16\nfrequency = "
        << OutputRate << "\nhrtf = false\n[wave]\nfile = " << (Folder / "out.wav").string() << "\n";
    setenv("ALSOFT_CONF", (Folder / "alsoft.conf").c_str(), 1);
    Play.Form.StartUp();
    Started = Clock::now();
  }
  ~Playback() override { fs::remove_all(Folder); }

  double Now() const { return std::chrono::duration<double>(Clock::now() - Started).count(); }
  // Frames for a while, in real time.
  void Wait(double seconds) {
    const double end = Now() + seconds;
    while (Now() < end) {
      Play.Tick(1.0 / 60);
      std::this_thread::sleep_for(std::chrono::milliseconds(16));
    }
  }
  // A sound animation on a square, its sound started by its first step.
  void Sound(int x, int z, TAnimationKind kind, float duration) {
    Play.Land().StartAnimation(x, 0, z, 0.0f, kind, Play.Form.GameClock(), duration, 0.0f, 0.0f);
    Play.Tick(1.0 / 60);
  }
  TRecording Stop() {
    Play.Form.FormDestroy();
    std::ifstream file(Folder / "out.wav", std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), {});
    TRecording recording;
    for (size_t at = 12; at + 8 <= bytes.size();) {
      uint32_t size = 0;
      std::memcpy(&size, &bytes[at + 4], 4);
      if (std::memcmp(&bytes[at], "data", 4) == 0) {
        recording.Samples.resize(std::min<size_t>(size, bytes.size() - at - 8) / 2);
        std::memcpy(recording.Samples.data(), &bytes[at + 8], recording.Samples.size() * 2);
        break;
      }
      at += 8 + size + (size & 1);
    }
    return recording;
  }

  const fs::path Folder = fs::temp_directory_path() / ("orvane_sound_" + std::to_string(getpid()));
  play::TPlaySession Play;
  TLandscape& Land = Play.Start(4242, 20);
  Clock::time_point Started;
};

// Nothing plays: silence. A boulder made to the player's left: heard, louder on the left. Every
// sound stopped (mode 1): silence once the quarry's echo has died away. Only the drain stopped
// (mode 2): a scan goes on.
TEST_F(Playback, ThePlayerHearsTheWorldFromWhereTheyStand) {
  ASSERT_TRUE(Play.Form.Game->Audio.AudioAvailable);
  const TCamera& camera = *Play.Program.Scene.GLCamera1;
  const glm::vec3 left = camera.Position() - 4.0f * camera.RightVector();
  Wait(0.4);
  double made = Now();
  Sound(int(left.x), int(left.z), ga_SoundCreateBoulder, 0.5f);
  Wait(0.5);
  Sound(Play.Me().X, Play.Me().Z, ga_SoundDrain, 5.0f);
  Wait(0.3);
  double stopped = Now();
  Play.Sim().StopAnimationSounds(1);
  Wait(2.0);
  double scanned = Now();
  Sound(Play.Me().X, Play.Me().Z, ga_SoundScan, 5.0f);
  Sound(Play.Me().X, Play.Me().Z, ga_SoundDrain, 5.0f);
  Play.Sim().StopAnimationSounds(2);
  EXPECT_EQ(Play.Slots(ga_SoundDrain), 0);
  EXPECT_EQ(Play.Slots(ga_SoundScan), 1);
  Wait(0.6);
  const TRecording heard = Stop();

  // The recording began when the device opened, a little before the clock: the boulder's
  // first sound tells by how much.
  double onset = 0.0;
  while (onset < made + 0.5 && std::max(heard.Loudness(onset, onset + 0.01).first,
                                        heard.Loudness(onset, onset + 0.01).second) < 50.0)
    onset += 0.01;
  const double lead = onset - made;
  ASSERT_GT(lead, -0.05);
  ASSERT_LT(lead, 0.4);
  made += lead, stopped += lead, scanned += lead;
  const auto [quietLeft, quietRight] = heard.Loudness(0.05, made - 0.05);
  EXPECT_LT(std::max(quietLeft, quietRight), 2.0) << "silence before any sound";
  const auto [boulderLeft, boulderRight] = heard.Loudness(made, made + 0.12);
  EXPECT_GT(boulderLeft, 300.0);
  // (Before the quarry's echo, which comes from everywhere, builds up.)
  EXPECT_GT(boulderLeft, 2 * boulderRight) << "the boulder on the left";
  const auto [drainLeft, drainRight] = heard.Loudness(stopped - 0.2, stopped);
  EXPECT_GT(drainLeft + drainRight, 300.0);
  const auto [afterLeft, afterRight] = heard.Loudness(stopped + 1.7, scanned - 0.05);
  EXPECT_LT(std::max(afterLeft, afterRight), 5.0) << "nothing after every sound stopped";
  const auto [scanLeft, scanRight] = heard.Loudness(scanned + 0.1, scanned + 0.5);
  EXPECT_GT(scanLeft + scanRight, 100.0) << "the scan goes on";
}

// Without the library, or with a library that has no device to play on, the game starts with
// the same two lines, plays through in silence with no sound call failing, and writes nothing
// more of sound, at its end neither.
TEST(NoSound, TheGameStartsWithTwoLinesAndPlaysThroughInSilence) {
  const fs::path folder =
      fs::temp_directory_path() / ("orvane_nosound_" + std::to_string(getpid()));
  fs::create_directories(folder);
  std::ofstream(folder / "alsoft.conf")
      << "[general]\ndrivers = wave\n[wave]\nfile = " << (folder / "no/such/folder.wav").string()
      << "\n";
  setenv("ALSOFT_CONF", (folder / "alsoft.conf").c_str(), 1);
  for (const std::string library : {"libno-such-sound-library.so.1", "libopenal.so.1"}) {
    play::TPlaySession play;
    play.Form.SoundLibrary = library;
    play.Form.StartUp();
    TLandscape& land = play.Start(4242, 20);
    for (int step = 0; step < 3; ++step) {
      const TPlayer& me = land.Player();
      play.Sim().CreateRobot(play.At(me.X + 1, me.Z));
      play.Run(1.0);
      play.Sim().Transfer(play.At(me.X + 1, me.Z));
      play.Sim().HyperspaceAction();
      play.Run(2.0);
    }
    play.Sim().StopAnimationSounds(1);
    play.Sim().GameEnd(true);
    play.Run(3.0);
    play.Form.FormDestroy();
    std::vector<std::string> sound;
    for (const std::string& line : play.Program.Log.GetLines())
      if (line.find("script file") == std::string::npos) sound.push_back(line);
    EXPECT_EQ(sound, (std::vector<std::string>{
                         "Error 0009: Could not start sound @ Form.Create; Game will proceed "
                         "without sound.",
                         "EAX 2.0 environment could not be set."}))
        << library;
    EXPECT_FALSE(play.Form.Game->Audio.AudioAvailable);
  }
  fs::remove_all(folder);
}

// A sound file that is missing is named in one line; one that is no sound the game can play is
// named with what is wrong with it; either's buffer stays 0 and the others load.
TEST(SoundFiles, AMissingOrBrokenFileIsLoggedAndLeavesItsBufferEmpty) {
  const fs::path media = fs::current_path() / "media";
  const fs::path folder = fs::temp_directory_path() / ("orvane_media_" + std::to_string(getpid()));
  fs::create_directories(folder / "media");
  fs::copy_file(media / "CreateTree.wav", folder / "media" / "CreateTree.wav");
  std::ifstream good(media / "ScanPart.wav", std::ios::binary);
  std::vector<char> broken((std::istreambuf_iterator<char>(good)), {});
  broken[34] = 24;  // 24 bits a sample
  std::ofstream(folder / "media" / "ScanPart.wav", std::ios::binary)
      .write(broken.data(), std::streamsize(broken.size()));
  const fs::path previous = fs::current_path();
  fs::current_path(folder);
  TAudio audio;
  TLog log;
  ASSERT_TRUE(StartSound(audio, "libopenal.so.1"));
  LoadSounds(audio, log);
  fs::current_path(previous);
  fs::remove_all(folder);
  EXPECT_EQ(std::pair(audio.SndScan, audio.SndPulse1), std::pair(0u, 0u));
  EXPECT_NE(audio.SndCreateTree, 0u);
  const auto& lines = log.GetLines();
  ASSERT_EQ(lines.size(), 12u - 1);
  EXPECT_EQ(lines[0].rfind("Could not load sound file: 'media/ScanPart.wav': ", 0), 0u) << lines[0];
  EXPECT_NE(lines[0].find("24"), std::string::npos) << lines[0];
  EXPECT_EQ(lines[1], "Could not load sound file: 'media/ScanFull.wav'.");
}

}  // namespace
}  // namespace orvane
