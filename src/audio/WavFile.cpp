#include "audio/WavFile.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>

#include "audio/ALConstants.h"

namespace orvane {
namespace {

// RIFF tag, RIFF size, WAVE tag, "fmt " tag and size, and the 16 bytes of PCM's fmt fields.
constexpr uint64_t HeaderSize = 36;
constexpr uint64_t FmtStart = 20;  // the first byte of the fmt chunk's contents
constexpr uint64_t PcmFmtSize = 16;
constexpr uint64_t ChunkHeaderSize = 8;
constexpr uint16_t PcmFormatTag = 1;

// Little-endian numbers, byte by byte: no alignment and no byte order of the machine involved.
uint16_t ReadU16(std::span<const uint8_t> bytes, uint64_t at) {
  return uint16_t(bytes[at] | bytes[at + 1] << 8);
}

uint32_t ReadU32(std::span<const uint8_t> bytes, uint64_t at) {
  return uint32_t(ReadU16(bytes, at)) | uint32_t(ReadU16(bytes, at + 2)) << 16;
}

bool HasTag(std::span<const uint8_t> bytes, uint64_t at, const char (&tag)[5]) {
  return std::memcmp(bytes.data() + at, tag, 4) == 0;
}

// A chunk's tag as the problem text shows it: bytes that are not printable become '?'.
std::string TagText(std::span<const uint8_t> bytes, uint64_t at) {
  std::string text;
  for (uint64_t i = at; i < at + 4; ++i)
    text += bytes[i] >= 0x20 && bytes[i] < 0x7f ? char(bytes[i]) : '?';
  return text;
}

std::nullopt_t Refuse(std::string& problem, std::string text) {
  problem = std::move(text);
  return std::nullopt;
}

int32_t FormatOf(uint16_t channels, uint16_t bits) {
  if (channels == 1) return bits == 8 ? AL_FORMAT_MONO8 : AL_FORMAT_MONO16;
  return bits == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16;
}

}  // namespace

std::optional<TWavSound> ReadWav(std::span<const uint8_t> bytes, std::string& problem) {
  problem.clear();
  // Every offset and size below is a 64-bit number no larger than the file's size plus a 32-bit
  // chunk size and a pad byte: no sum can overflow.
  const uint64_t size = bytes.size();
  if (size < HeaderSize)
    return Refuse(problem, "shorter than a WAV header (" + std::to_string(size) + " bytes)");
  if (!HasTag(bytes, 0, "RIFF")) return Refuse(problem, "no RIFF tag");
  if (!HasTag(bytes, 8, "WAVE")) return Refuse(problem, "no WAVE tag");
  if (!HasTag(bytes, 12, "fmt ")) return Refuse(problem, "no fmt chunk");
  const uint64_t fmtSize = ReadU32(bytes, 16);
  if (fmtSize < PcmFmtSize)
    return Refuse(problem, "fmt chunk of " + std::to_string(fmtSize) + " bytes, too short");
  if (fmtSize > size - FmtStart) return Refuse(problem, "fmt chunk runs past the end of the file");
  const uint16_t formatTag = ReadU16(bytes, 20);
  const uint16_t channels = ReadU16(bytes, 22);
  const uint32_t sampleRate = ReadU32(bytes, 24);
  const uint16_t bits = ReadU16(bytes, 34);
  if (formatTag != PcmFormatTag)
    return Refuse(problem, "not PCM (format tag " + std::to_string(formatTag) + ")");
  if (channels != 1 && channels != 2)
    return Refuse(problem, std::to_string(channels) + " channels, not 1 or 2");
  if (bits != 8 && bits != 16)
    return Refuse(problem, std::to_string(bits) + " bits a sample, not 8 or 16");
  if (sampleRate == 0 || sampleRate > uint32_t(std::numeric_limits<int32_t>::max()))
    return Refuse(problem, "sample rate " + std::to_string(sampleRate) + " out of range");

  // The chunks after fmt, to the end of the file; the last data chunk counts.
  uint64_t at = FmtStart + fmtSize + (fmtSize & 1);
  std::optional<uint64_t> dataStart;
  uint64_t dataSize = 0;
  while (at < size) {
    if (size - at < ChunkHeaderSize)
      return Refuse(problem, "chunk header cut short at the end of the file");
    const uint64_t chunkSize = ReadU32(bytes, at + 4);
    const uint64_t start = at + ChunkHeaderSize;
    if (chunkSize > size - start)
      return Refuse(problem, "'" + TagText(bytes, at) + "' chunk runs past the end of the file");
    if (HasTag(bytes, at, "data")) {
      dataStart = start;
      dataSize = chunkSize;
    }
    at = start + chunkSize + (chunkSize & 1);
  }
  if (!dataStart) return Refuse(problem, "no data chunk");

  TWavSound sound;
  sound.Format = FormatOf(channels, bits);
  sound.Frequency = int32_t(sampleRate);
  const uint64_t end = *dataStart + dataSize;
  sound.Data.reserve(dataSize + (bits == 8 ? 1 : 0));
  sound.Data.assign(bytes.begin() + *dataStart, bytes.begin() + end);
  if (bits == 8) sound.Data.push_back(end < size ? bytes[end] : 0);
  return sound;
}

std::optional<TWavSound> LoadWavFile(const std::string& path, std::string& problem) {
  problem.clear();
  // The size first, so that a huge file is refused before anything is allocated for it; a
  // folder or a missing file has none.
  std::error_code error;
  const uintmax_t fileSize = std::filesystem::file_size(path, error);
  if (error) return Refuse(problem, "cannot be opened (" + error.message() + ")");
  if (fileSize > MaxWavFileSize)
    return Refuse(problem, "larger than " + std::to_string(MaxWavFileSize >> 20) + " MB (" +
                               std::to_string(fileSize) + " bytes)");
  std::ifstream file(path, std::ios::binary);
  if (!file) return Refuse(problem, "cannot be opened");
  std::vector<uint8_t> bytes(fileSize);
  file.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
  if (uint64_t(file.gcount()) != bytes.size()) return Refuse(problem, "cannot be read");
  return ReadWav(bytes, problem);
}

}  // namespace orvane
