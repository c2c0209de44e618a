#pragma once

#include <functional>
#include <memory>

#include "audio/Audio.h"
#include "world/Landscape.h"
#include "world/WorldHost.h"

namespace orvane {

// The game object: owns the world and the sound record for the whole run of the program.
class TGame {
 public:
  using TLandscapeFactory = std::function<std::unique_ptr<TLandscape>(const TWorldLinks&)>;

  TGame(TRandom& random, TLog& log, TScene& scene, TGameSettings& settings, TWorldHost& host);

  // Begins a game: makes sure the world exists, resets the player and makes a landscape.
  void Init();

  // The simulation that runs the world from now on; a still world until one registers.
  void SetSimulation(TWorldSimulation& simulation) { Runner = &simulation; }
  void ClearSimulation() { Runner = &Still; }

  std::unique_ptr<TLandscape> Landscape;
  TAudio Audio;
  bool Cheated = false;
  bool CheatsEnabled = false;

  // How the world object is made; it may fail (return nothing) when memory runs out.
  void SetLandscapeFactory(TLandscapeFactory factory) { Factory = std::move(factory); }

 private:
  TStillWorld Still;
  TWorldSimulation* Runner = &Still;
  TWorldLinks Links;  // the world reads Runner through its links, as it stands
  TLandscapeFactory Factory;
};

}  // namespace orvane
