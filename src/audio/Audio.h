#pragma once

#include <cstdint>

#include <glm/glm.hpp>

namespace orvane {

// The game's sound record: the sound buffers, what is handed to the listener each frame,
// and the heartbeat's state. Until the sound library is bound it reports no sound.
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
};

}  // namespace orvane
