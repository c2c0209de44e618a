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

// Sources, the listener and buffers.
inline constexpr int32_t AL_NONE = 0;
inline constexpr int32_t AL_PITCH = 0x1003;
inline constexpr int32_t AL_POSITION = 0x1004;
inline constexpr int32_t AL_VELOCITY = 0x1006;
inline constexpr int32_t AL_LOOPING = 0x1007;
inline constexpr int32_t AL_BUFFER = 0x1009;
inline constexpr int32_t AL_GAIN = 0x100A;
inline constexpr int32_t AL_ORIENTATION = 0x100F;

// The effects extension: a reverb effect in an auxiliary slot that every source sends to.
inline constexpr int32_t AL_EFFECT_TYPE = 0x8001;
inline constexpr int32_t AL_EFFECT_REVERB = 0x0001;
inline constexpr int32_t AL_EFFECTSLOT_EFFECT = 0x0001;
inline constexpr int32_t AL_AUXILIARY_SEND_FILTER = 0x20006;
inline constexpr int32_t AL_FILTER_NULL = 0x0000;
inline constexpr int32_t AL_REVERB_DENSITY = 0x0001;
inline constexpr int32_t AL_REVERB_DIFFUSION = 0x0002;
inline constexpr int32_t AL_REVERB_GAIN = 0x0003;
inline constexpr int32_t AL_REVERB_GAINHF = 0x0004;
inline constexpr int32_t AL_REVERB_DECAY_TIME = 0x0005;
inline constexpr int32_t AL_REVERB_DECAY_HFRATIO = 0x0006;
inline constexpr int32_t AL_REVERB_REFLECTIONS_GAIN = 0x0007;
inline constexpr int32_t AL_REVERB_REFLECTIONS_DELAY = 0x0008;
inline constexpr int32_t AL_REVERB_LATE_REVERB_GAIN = 0x0009;
inline constexpr int32_t AL_REVERB_LATE_REVERB_DELAY = 0x000A;
inline constexpr int32_t AL_REVERB_AIR_ABSORPTION_GAINHF = 0x000B;
inline constexpr int32_t AL_REVERB_ROOM_ROLLOFF_FACTOR = 0x000C;
inline constexpr int32_t AL_REVERB_DECAY_HFLIMIT = 0x000D;

// EAX 2.0: the listener's environment property, set deferred and committed; the quarry.
inline constexpr uint32_t EAX_LISTENER_ENVIRONMENT = 11;
inline constexpr uint32_t EAX_DEFERRED = 0x80000000u;
inline constexpr uint32_t EAX_NONE = 0;
inline constexpr uint32_t EAX_ENVIRONMENT_QUARRY = 18;

}  // namespace orvane
