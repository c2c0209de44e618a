#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orvane {

// A sound read from a PCM WAV file, ready for alBufferData.
struct TWavSound {
  int32_t Format = 0;     // AL_FORMAT_MONO8, _MONO16, _STEREO8 or _STEREO16 (audio/ALConstants.h)
  int32_t Frequency = 0;  // samples a second
  std::vector<uint8_t> Data;  // the samples as the file holds them
};

// The largest sound file LoadWavFile reads.
inline constexpr uint64_t MaxWavFileSize = 32u * 1024 * 1024;

// Reads a whole WAV file's bytes: the 36-byte RIFF header with its "fmt " chunk (PCM, one or two
// channels, 8 or 16 bits a sample), then every chunk to the end of the file, each followed by a
// pad byte when its size is odd. The last "data" chunk holds the samples; other chunks are
// skipped. For 8-bit sound the data is one byte longer than the chunk: that byte is the byte of
// the file after the chunk (its pad byte or the next chunk's first), or 0 when the chunk ends the
// file. The RIFF size field is not checked: the end of the bytes is the end of the file. A pad
// byte missing after the last chunk is forgiven.
// Nothing, and a short text naming what is wrong in `problem`, when the bytes are not such a
// file: a tag missing, a chunk (or a chunk header) running past the end, another format, or no
// "data" chunk.
std::optional<TWavSound> ReadWav(std::span<const uint8_t> bytes, std::string& problem);

// Reads the file at `path` with ReadWav. Nothing, and the problem, when the file cannot be
// opened or read, is larger than MaxWavFileSize, or ReadWav refuses it.
std::optional<TWavSound> LoadWavFile(const std::string& path, std::string& problem);

}  // namespace orvane
