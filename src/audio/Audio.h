#pragma once

#include <cstdint>
#include <string>

#include <glm/glm.hpp>

#include "audio/OpenAL.h"

namespace orvane {

class TLog;

// The game's sound record: the sound library, the sound buffers, what is handed to the listener
// each frame, and the heartbeat's state. Until the library is bound it reports no sound.
struct TAudio {
  uint32_t SndScan = 0;
  uint32_t SndDrain = 0;
  uint32_t SndAbsorb = 0;
  uint32_t SndRotate = 0;
  uint32_t SndAbsorbTolmarch = 0;
  uint32_t SndCreateTree = 0;
  uint32_t SndCreateBoulder = 0;
  uint32_t SndCreateRobot = 0;
  uint32_t SndHyperSpace = 0;
  uint32_t SndPulse1 = 0;
  uint32_t SndPulse2 = 0;
  uint32_t SndLeave = 0;
  glm::vec3 ListenerPosition{0.0f};
  glm::vec3 ListenerVelocity{0.0f};
  glm::vec3 ListenerOrientationAt{0.0f};
  glm::vec3 ListenerOrientationUp{0.0f};
  bool AudioAvailable = false;
  float Tension = 0.0f;
  float PulseGap1 = 0.0f;
  float PulseGap2 = 0.0f;

  TOpenAL AL;
  // The reverberation every source plays through, when the library offers it (0: none).
  uint32_t ReverbSlot = 0;
  uint32_t ReverbEffect = 0;
  void (*alSource3i)(TOpenAL::ALuint, TOpenAL::ALenum, TOpenAL::ALint, TOpenAL::ALint,
                     TOpenAL::ALint) = nullptr;
  // EAX 2.0's setter, where the library has it.
  int (*EAXSet)(const void*, unsigned, unsigned, void*, unsigned) = nullptr;
};

// The library by its file name, with the default device opened. False, with the library
// let go, when the library or the device cannot be had: the game is then silent.
bool StartSound(TAudio& audio, const std::string& libraryName);
void CloseSound(TAudio& audio);
// The eight sound files of media/ into their buffers; a file that cannot be loaded is logged
// and its buffer stays 0.
void LoadSound(TAudio& audio, TLog& log, const std::string& fileName, uint32_t& buffer);
void LoadSounds(TAudio& audio, TLog& log);
// The quarry's reverberation for every source: EAX 2.0 when present, else the EFX reverb.
void SetSoundEnv(TAudio& audio, TLog& log);
// The listener's position, velocity and orientation handed to the library.
void HandOverListener(TAudio& audio);

// A source for one sound, playing at a place in sound axes; 0 when none could be made.
uint32_t PlaySource(TAudio& audio, uint32_t buffer, float gain, bool loop,
                    const glm::vec3& position, const glm::vec3& velocity);
void SetSourcePitch(TAudio& audio, uint32_t source, float pitch);
bool SourceExists(TAudio& audio, uint32_t source);
void StopAndDeleteSource(TAudio& audio, uint32_t source);

}  // namespace orvane
