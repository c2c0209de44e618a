#pragma once

#include <string>

namespace orvane {

class TLandscape;

// The landscape as one JSON object: its size, heights, flat squares, objects, scanners, the
// player's square and the Tolmarch's, for comparing landscapes.
std::string LandscapeJson(const TLandscape& landscape, long long number);

}  // namespace orvane
