#include <algorithm>
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

void Put(TBytes& bytes, uint32_t value, int size) {
  for (int i = 0; i < size; ++i)
    bytes.push_back(uint8_t(value >> 8 * i));
}

// A chunk with its pad byte when its size is odd; `size` overrides the size field.
TBytes Chunk(const char* tag, const TBytes& contents, int64_t size = -1) {
  TBytes bytes(tag, tag + 4);
  Put(bytes, size < 0 ? uint32_t(contents.size()) : uint32_t(size), 4);
  bytes.insert(bytes.end(), contents.begin(), contents.end());
  if (contents.size() % 2) bytes.push_back(0);
  return bytes;
}

TBytes operator+(TBytes a, const TBytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct TWav {
  uint16_t Channels = 1, Bits = 16, FormatTag = 1;
  uint32_t Rate = 22050;
  TBytes Chunks{};       // after the fmt chunk
  TBytes FmtExtra{};     // fmt bytes past the 16 of PCM (padded when odd)
  int64_t FmtSize = -1;  // overrides the fmt size field
};

TBytes Build(const TWav& wav) {
  TBytes fmt;
  Put(fmt, wav.FormatTag, 2);
  Put(fmt, wav.Channels, 2);
  Put(fmt, wav.Rate, 4);
  Put(fmt, wav.Rate * wav.Channels * wav.Bits / 8, 4);
  Put(fmt, wav.Channels * wav.Bits / 8, 2);
  Put(fmt, wav.Bits, 2);
  const TBytes body =
      TBytes{'W', 'A', 'V', 'E'} + Chunk("fmt ", fmt + wav.FmtExtra, wav.FmtSize) + wav.Chunks;
  TBytes riff{'R', 'I', 'F', 'F'};
  Put(riff, uint32_t(body.size()), 4);
  return riff + body;
}

TBytes Patched(TBytes bytes, size_t at, const TBytes& with) {
  std::copy(with.begin(), with.end(), bytes.begin() + at);
  return bytes;
}

TEST(WavFile, ReadsPcmSoundWhateverChunksSurroundIt) {
  std::string problem;
  const std::tuple<uint16_t, uint16_t, int32_t> formats[] = {{1, 8, AL_FORMAT_MONO8},
                                                             {1, 16, AL_FORMAT_MONO16},
                                                             {2, 8, AL_FORMAT_STEREO8},
                                                             {2, 16, AL_FORMAT_STEREO16}};
  for (const auto& [channels, bits, format] : formats) {
    const uint32_t rate = 5000u * channels * bits;
    const auto sound = ReadWav(
        Build({.Channels = channels, .Bits = bits, .Rate = rate, .Chunks = Chunk("data", {1, 2})}),
        problem);
    ASSERT_TRUE(sound) << problem;
    EXPECT_EQ(sound->Format, format);
    EXPECT_EQ(sound->Frequency, int32_t(rate));
    // 8-bit data is one byte longer, 0 when the chunk ends the file
    EXPECT_EQ(sound->Data, (bits == 8 ? TBytes{1, 2, 0} : TBytes{1, 2})) << bits << " bits";
  }
  const TBytes list = Chunk("LIST", TBytes(10, 'x'));
  const std::tuple<const char*, TBytes, TBytes> cases[] = {
      {"odd 8-bit data ending the file, its pad missing",
       Build({.Bits = 8}) + TBytes{'d', 'a', 't', 'a', 3, 0, 0, 0, 7, 8, 9},
       {7, 8, 9, 0}},
      {"8-bit data, then a chunk",
       Build({.Bits = 8, .Chunks = Chunk("data", {5, 6}) + list}),
       {5, 6, 'L'}},
      {"a LIST chunk first", Build({.Chunks = list + Chunk("data", {1, 2})}), {1, 2}},
      {"an odd chunk first",
       Build({.Chunks = Chunk("odd ", {9, 9, 9}) + Chunk("data", {1, 2})}),
       {1, 2}},
      {"a longer, odd fmt",
       Build({.Chunks = Chunk("data", {1, 2}), .FmtExtra = {1, 0, 7}}),
       {1, 2}},
      {"two data chunks", Build({.Chunks = Chunk("data", {1, 2}) + Chunk("data", {3, 4})}), {3, 4}},
      {"empty data", Build({.Chunks = Chunk("data", {})}), {}}};
  for (const auto& [name, file, data] : cases) {
    problem = "old";
    const auto sound = ReadWav(file, problem);
    ASSERT_TRUE(sound) << name << ": " << problem;
    EXPECT_EQ(problem, "") << name;
    EXPECT_EQ(sound->Data, data) << name;
  }
}

TEST(WavFile, RefusesWhatIsNotPcmWavWithAProblem) {
  const TBytes data = Chunk("data", {1, 2, 3, 4});
  const TBytes good = Build({.Chunks = data});
  const std::pair<TBytes, const char*> cases[] = {
      {TBytes(good.begin(), good.begin() + 35), "shorter than a WAV header"},
      {Patched(good, 0, {'R', 'I', 'F', 'X'}), "no RIFF tag"},
      {Patched(good, 8, {'W', 'A', 'V', 'X'}), "no WAVE tag"},
      {Patched(good, 12, {'f', 'm', 't', '_'}), "no fmt chunk"},
      {Build({.Chunks = data, .FmtSize = 14}), "fmt chunk of 14 bytes"},
      {Build({.Chunks = data, .FmtSize = 100}), "fmt chunk runs past the end"},
      {Build({.FormatTag = 3, .Chunks = data}), "not PCM (format tag 3)"},
      {Build({.Channels = 0, .Chunks = data}), "0 channels"},
      {Build({.Channels = 3, .Chunks = data}), "3 channels"},
      {Build({.Bits = 24, .Chunks = data}), "24 bits a sample"},
      {Build({.Rate = 0, .Chunks = data}), "sample rate 0"},
      {TBytes(good.begin(), good.end() - 1), "'data' chunk runs past the end"},
      {Build({.Chunks = Chunk("data", {}, 0xffffffff)}), "'data' chunk runs past the end"},
      {Build({.Chunks = Chunk("\x01\xffok", {}, 9)}), "'??ok' chunk runs past the end"},
      {good + TBytes{'L', 'I', 'S'}, "chunk header cut short"},
      {Build({.Chunks = Chunk("LIST", {1, 2})}), "no data chunk"},
      {Build({}), "no data chunk"}};
  for (const auto& [file, expected] : cases) {
    std::string problem;
    EXPECT_FALSE(ReadWav(file, problem)) << expected;
    EXPECT_NE(problem.find(expected), std::string::npos) << problem << " / " << expected;
  }
}

TEST(WavFile, LoadsFilesAndRefusesMissingAndHugeOnes) {
  const auto folder = std::filesystem::temp_directory_path() / "orvane-wav-test";
  std::filesystem::create_directories(folder);
  const std::string good = (folder / "good.wav").string(), huge = (folder / "huge.wav").string();
  const TBytes bytes = Build({.Chunks = Chunk("data", {1, 2})});
  std::ofstream(good, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), 46);
  std::ofstream(huge, std::ios::binary).put(0);
  std::filesystem::resize_file(huge, MaxWavFileSize + 1);  // sparse: nothing is written
  std::string problem;
  const auto sound = LoadWavFile(good, problem);
  ASSERT_TRUE(sound) << problem;
  EXPECT_EQ(sound->Data, (TBytes{1, 2}));
  const std::pair<std::string, const char*> refused[] = {
      {(folder / "none.wav").string(), "cannot be opened"},
      {folder.string(), "cannot be opened"},
      {huge, "larger than 32 MB"}};
  for (const auto& [path, expected] : refused) {
    EXPECT_FALSE(LoadWavFile(path, problem)) << path;
    EXPECT_NE(problem.find(expected), std::string::npos) << path << ": " << problem;
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace orvane
