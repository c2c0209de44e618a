// The game's sound with the sound library playing into nothing (its null output): loading the
// eight sounds at start-up, and a frame's sound work with 256 sources playing. Run from the
// repository's folder, where media/ is.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "audio/Audio.h"
#include "console/Log.h"

namespace {

using namespace orvane;

// The library on its null output, started once for all the benchmarks.
TAudio& Sound() {
  static TAudio audio;
  static const bool started = [] {
    const auto conf = std::filesystem::temp_directory_path() / "orvane_bench_alsoft.conf";
    std::ofstream(conf) << "[general]\ndrivers = null\n";
    setenv("ALSOFT_CONF", conf.c_str(), 1);
    return StartSound(audio, "libopenal.so.1");
  }();
  (void)started;
  return audio;
}

void BM_LoadTheEightSounds(benchmark::State& state) {
  TAudio& audio = Sound();
  if (!audio.AudioAvailable) {
    state.SkipWithError("no sound library");
    return;
  }
  TLog log;
  for (auto _ : state) {
    LoadSounds(audio, log);
    state.PauseTiming();
    const uint32_t buffers[] = {
        audio.SndScan,           audio.SndDrain,      audio.SndAbsorb,        audio.SndRotate,
        audio.SndAbsorbTolmarch, audio.SndCreateTree, audio.SndCreateBoulder, audio.SndCreateRobot,
        audio.SndHyperSpace,     audio.SndPulse1,     audio.SndPulse2,        audio.SndLeave};
    audio.AL.alDeleteBuffers(12, buffers);
    state.ResumeTiming();
  }
  if (!log.GetLines().empty()) state.SkipWithError(log.GetLines().front().c_str());
}
BENCHMARK(BM_LoadTheEightSounds)->Unit(benchmark::kMillisecond);

// What a frame asks of the library with 256 sources playing: the listener handed over, and every
// source's pitch set (more than a frame ever does: only turning scanners change theirs).
void BM_FrameWith256Sources(benchmark::State& state) {
  TAudio& audio = Sound();
  if (!audio.AudioAvailable) {
    state.SkipWithError("no sound library");
    return;
  }
  TLog log;
  LoadSounds(audio, log);
  std::vector<uint32_t> sources;
  for (int n = 0; n < 256; ++n)
    sources.push_back(PlaySource(audio, audio.SndRotate, 0.4f, true, glm::vec3(n % 16, n / 16, -2),
                                 glm::vec3(0.0f)));
  float turn = 0.0f;
  for (auto _ : state) {
    turn += 0.01f;
    audio.ListenerOrientationAt = {std::sin(turn), std::cos(turn), 0.0f};
    audio.ListenerOrientationUp = {0.0f, 0.0f, -1.0f};
    HandOverListener(audio);
    for (const uint32_t source : sources)
      SetSourcePitch(audio, source, 1.0f + 0.1f * std::sin(turn));
  }
  for (const uint32_t source : sources)
    StopAndDeleteSource(audio, source);
}
BENCHMARK(BM_FrameWith256Sources)->Unit(benchmark::kMicrosecond);

}  // namespace
