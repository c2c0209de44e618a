// Reads arbitrary bytes as a WAV file and checks what the reader promises: either a sound of
// one of the four formats, with no more data than the file holds, or nothing and a problem.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

#include "audio/ALConstants.h"
#include "audio/WavFile.h"

namespace {

using namespace orvane;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "ReadWav: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string problem = "old";
  const auto sound = ReadWav(std::span<const uint8_t>(data, size), problem);
  if (!sound) {
    if (problem.empty() || problem == "old") Fail("nothing read and no problem given");
    return 0;
  }
  if (!problem.empty()) Fail("a sound read with a problem");
  const int32_t format = sound->Format;
  if (format < AL_FORMAT_MONO8 || format > AL_FORMAT_STEREO16) Fail("an unknown format");
  if (sound->Frequency <= 0) Fail("a frequency that is not positive");
  // The header and a chunk header come before the samples; 8-bit sound has one byte more.
  const bool eightBits = format == AL_FORMAT_MONO8 || format == AL_FORMAT_STEREO8;
  if (sound->Data.size() + 44 > size + (eightBits ? 1 : 0)) Fail("more data than the file holds");
  if (eightBits && sound->Data.empty()) Fail("8-bit sound without its extra byte");
  return 0;
}
