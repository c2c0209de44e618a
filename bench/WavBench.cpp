// Reading a typical sound of the game from its file's bytes: one second of 16-bit stereo at
// 22050 Hz with a LIST chunk before the samples, built in memory.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "audio/WavFile.h"

namespace {

using namespace orvane;

void Put(std::vector<uint8_t>& bytes, const std::string& tag, uint32_t value) {
  bytes.insert(bytes.end(), tag.begin(), tag.end());
  for (int i = 0; i < 4; ++i)
    bytes.push_back(uint8_t(value >> 8 * i));
}

std::vector<uint8_t> OneSecondOfStereo() {
  const uint32_t rate = 22050, frames = rate, frameSize = 4, listSize = 26;
  const uint32_t riffSize = 4 + 24 + 8 + listSize + 8 + frames * frameSize;
  std::vector<uint8_t> bytes;
  Put(bytes, "RIFF", riffSize);
  Put(bytes, "WAVEfmt ", 16);
  // PCM, 2 channels; the rate; the byte rate; block align 4 and 16 bits.
  const uint8_t fmt[] = {1, 0, 2, 0, 0x22, 0x56, 0, 0, 0x88, 0x58, 1, 0, 4, 0, 16, 0};
  bytes.insert(bytes.end(), std::begin(fmt), std::end(fmt));
  Put(bytes, "LIST", listSize);
  const std::string info("INFOISFT\x0e\0\0\0Orvane tools\0\0", listSize);
  bytes.insert(bytes.end(), info.begin(), info.end());
  Put(bytes, "data", frames * frameSize);
  for (uint32_t i = 0; i < frames * frameSize; ++i)
    bytes.push_back(uint8_t(i * 37));
  return bytes;
}

void ReadTypicalSound(benchmark::State& state) {
  const std::vector<uint8_t> file = OneSecondOfStereo();
  std::string problem;
  size_t samples = 0;
  for (auto _ : state) {
    const auto sound = ReadWav(file, problem);
    samples = sound ? sound->Data.size() : 0;
    benchmark::DoNotOptimize(samples);
  }
  if (samples != 88200) state.SkipWithError(("not read: " + problem).c_str());
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
}
BENCHMARK(ReadTypicalSound);

}  // namespace
