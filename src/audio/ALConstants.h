#pragma once

#include <cstdint>

namespace orvane {

// The OpenAL enumeration values the game uses, with the numbers of the OpenAL 1.1 headers: the
// library is loaded at run time, so its headers are not included.
// Sample formats of alBufferData.
inline constexpr int32_t AL_FORMAT_MONO8 = 0x1100;
inline constexpr int32_t AL_FORMAT_MONO16 = 0x1101;
inline constexpr int32_t AL_FORMAT_STEREO8 = 0x1102;
inline constexpr int32_t AL_FORMAT_STEREO16 = 0x1103;

}  // namespace orvane
