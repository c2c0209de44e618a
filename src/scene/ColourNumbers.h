#pragma once

#include <cstdint>

#include "scene/SceneObject.h"

namespace orvane {

// Window-system colour numbers: red in the low byte, then green, then blue. Every colour
// the windows show by number is named here, and turned into a colour by ColourOfNumber.
constexpr uint32_t clBlack = 0;
constexpr uint32_t clRed = 255;
constexpr uint32_t clGreen = 32768;
constexpr uint32_t clOrange = 32960;
constexpr uint32_t clBlue = 16711680;
constexpr uint32_t clSkyBlue = 0xF0CAA6;

// The number of a colour: each channel times 256, rounded, within 0 to 255.
uint32_t ColorNumber(const TColor& color);
// The colour of a number, each channel from 0 to 1, opaque.
TColor ColourOfNumber(uint32_t number);

}  // namespace orvane
