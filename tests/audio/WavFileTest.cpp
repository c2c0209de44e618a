#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "audio/ALConstants.h"
#include "audio/WavFile.h"

namespace orvane {
namespace {

using TBytes = std::vector<uint8_t>;

TBytes operator+(TBytes a, const TBytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TBytes U32(uint64_t v) {
  return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

// A chunk and its pad byte when its size is odd; `size` overrides the size field.
TBytes Chunk(const char* tag, const TBytes& contents, int64_t size = -1) {
  return TBytes(tag, tag + 4) + U32(size < 0 ? contents.size() : size) + contents +
         TBytes(contents.size() % 2, 0);
}

// A 22050 Hz PCM file: its fmt chunk ends with `extra`, the chunks follow it.
TBytes Wav(uint8_t channels, uint8_t bits, const TBytes& chunks, const TBytes& extra = {}) {
  const uint8_t frame = uint8_t(channels * bits / 8);
  const TBytes fmt = TBytes{1, 0, channels, 0} + U32(22050) + U32(22050 * frame) +
                     TBytes{frame, 0, bits, 0} + extra;
  const TBytes body = TBytes{'W', 'A', 'V', 'E'} + Chunk("fmt ", fmt) + chunks;
  return TBytes{'R', 'I', 'F', 'F'} + U32(body.size()) + body;
}

TBytes Patched(TBytes bytes, size_t at, const TBytes& with) {
  for (size_t i = 0; i < with.size(); ++i)
    bytes.at(at + i) = with[i];
  return bytes;
}

TBytes Cut(TBytes bytes, size_t count) {
  bytes.resize(bytes.size() - count);
  return bytes;
}

TEST(WavFile, ReadsPcmSoundWhateverChunksSurroundIt) {
  const TBytes data = Chunk("data", {1, 2}), list = Chunk("LIST", TBytes(10, 'x'));
  const int32_t mono8 = AL_FORMAT_MONO8, mono16 = AL_FORMAT_MONO16;
  const std::tuple<const char*, TBytes, int32_t, TBytes> cases[] = {
      // 8-bit data is one byte longer: the next byte of the file, 0 at its end
      {"mono 8", Wav(1, 8, data), mono8, {1, 2, 0}},
      {"mono 16", Wav(1, 16, data), mono16, {1, 2}},
      {"stereo 8", Wav(2, 8, data), AL_FORMAT_STEREO8, {1, 2, 0}},
      {"stereo 16", Wav(2, 16, data), AL_FORMAT_STEREO16, {1, 2}},
      {"8 bits, then a chunk", Wav(1, 8, data + list), mono8, {1, 2, 'L'}},
      {"last pad missing", Cut(Wav(1, 8, Chunk("data", {7, 8, 9})), 1), mono8, {7, 8, 9, 0}},
      {"a LIST chunk first", Wav(1, 16, list + data), mono16, {1, 2}},
      {"an odd chunk first", Wav(1, 16, Chunk("odd ", {9, 9, 9}) + data), mono16, {1, 2}},
      {"a longer, odd fmt", Wav(1, 16, data, {1, 0, 7}), mono16, {1, 2}},
      {"two data chunks", Wav(1, 16, data + Chunk("data", {3, 4})), mono16, {3, 4}},
      {"empty data", Wav(1, 16, Chunk("data", {})), mono16, {}}};
  for (const auto& [name, file, format, samples] : cases) {
    std::string problem = "old";
    const auto sound = ReadWav(file, problem);
    ASSERT_TRUE(sound) << name << ": " << problem;
    EXPECT_EQ(std::tuple(sound->Format, sound->Frequency, sound->Data, problem),
              std::tuple(format, 22050, samples, ""))
        << name;
  }
}

TEST(WavFile, RefusesWhatIsNotPcmWavWithAProblem) {
  const TBytes good = Wav(1, 16, Chunk("data", {1, 2, 3, 4}));
  const std::pair<TBytes, const char*> cases[] = {
      {Cut(good, good.size() - 35), "shorter than a WAV header"},
      {Patched(good, 3, {'X'}), "no RIFF tag"},
      {Patched(good, 11, {'X'}), "no WAVE tag"},
      {Patched(good, 12, {'F'}), "no fmt chunk"},
      {Patched(good, 16, {14}), "fmt chunk of 14 bytes"},
      {Patched(good, 16, {100}), "fmt chunk runs past the end"},
      {Patched(good, 20, {3}), "not PCM (format tag 3)"},
      {Patched(good, 22, {0}), "0 channels"},
      {Patched(good, 22, {3}), "3 channels"},
      {Wav(1, 24, Chunk("data", {1, 2, 3})), "24 bits a sample"},
      {Patched(good, 24, {0, 0}), "sample rate 0"},
      {Cut(good, 1), "'data' chunk runs past the end"},
      {Wav(1, 16, Chunk("data", {}, 0xffffffff)), "'data' chunk runs past the end"},
      {Wav(1, 16, Chunk("\x01\xffok", {}, 9)), "'??ok' chunk runs past the end"},
      {good + TBytes{'L', 'I', 'S'}, "chunk header cut short"},
      {Wav(1, 16, Chunk("LIST", {1, 2})), "no data chunk"},
      {Wav(1, 16, {}), "no data chunk"}};
  for (const auto& [file, expected] : cases) {
    std::string problem;
    EXPECT_FALSE(ReadWav(file, problem)) << expected;
    EXPECT_NE(problem.find(expected), std::string::npos) << problem << " / " << expected;
  }
}

TEST(WavFile, LoadsFilesAndRefusesMissingAndHugeOnes) {
  const auto folder = std::filesystem::temp_directory_path() / "orvane-wav-test";
  std::filesystem::create_directories(folder);
  const std::string good = folder / "good.wav", huge = folder / "huge.wav";
  const TBytes bytes = Wav(1, 16, Chunk("data", {1, 2}));
  std::ofstream(good, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), 46);
  std::ofstream(huge, std::ios::binary).put(0);
  std::filesystem::resize_file(huge, MaxWavFileSize + 1);  // sparse: nothing is written
  std::string problem;
  const auto sound = LoadWavFile(good, problem);
  ASSERT_TRUE(sound) << problem;
  EXPECT_EQ(sound->Data, (TBytes{1, 2}));
  const std::pair<std::string, const char*> refused[] = {
      {folder / "none.wav", "cannot be opened"}, {folder, "cannot be opened"}, {huge, "32 MB"}};
  for (const auto& [path, expected] : refused) {
    EXPECT_FALSE(LoadWavFile(path, problem)) << path;
    EXPECT_NE(problem.find(expected), std::string::npos) << path << ": " << problem;
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace orvane
