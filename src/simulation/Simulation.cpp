#include "simulation/Simulation.h"

#include "world/Game.h"

namespace orvane {

TSimulation::TSimulation(TGame& game, TScene& scene, TGameSettings& settings, TRandom& random,
                         TLog& log, TSimulationHost& host)
    : Game(game), Scene(scene), Settings(settings), Random(random), Log(log), Host(host) {
  Game.SetSimulation(*this);
}

TSimulation::~TSimulation() {
  Game.ClearSimulation();
}

TLandscape& TSimulation::Landscape() {
  return *Game.Landscape;
}

}  // namespace orvane
