#include <algorithm>
#include <new>
#include <optional>

#include "console/Log.h"
#include "dialogs/settings/GameSettings.h"
#include "scene/Scene.h"
#include "world/Game.h"
#include "world/MathKT.h"
#include "world/Random.h"
#include "world/WorldHost.h"

namespace orvane {

TGame::TGame(TRandom& random, TLog& log, TScene& scene, TGameSettings& settings, TWorldHost& host)
    : Links{random, log, scene, settings, Audio, host, Runner},
      Factory([](const TWorldLinks& links) {
        return std::unique_ptr<TLandscape>(new (std::nothrow) TLandscape(links));
      }) {}

void TGame::Init() {
  if (Audio.AudioAvailable) Audio.ListenerVelocity = glm::vec3(0.0f);
  if (!Landscape) Landscape = Factory(Links);
  if (!Landscape) {
    Links.Log.Log("Error 0008: Could not create Landscape object @ Game.Init().");
  } else {
    Landscape->PlayerCount = 1;
    Landscape->CurrentPlayer = 1;
    Landscape->Make();
    // A campaign level starts with the energy Make gave it.
    const TGameSpec& game = Links.Settings.GameSpec();
    if (game.G_GameType != gt_Campaign) Landscape->SetEnergy(StartEnergyFor(game.S_Difficulty));
    for (int n = 1; n <= Landscape->PlayerCount; ++n)
      Landscape->Players(n).Cheat = false;
  }
  Cheated = false;
  CheatsEnabled = false;
}

void TLandscape::Make() {
  Guarded(World.Log, "Error 0017: @ Landscape.Make()", [&] {
    TRandom& random = World.Random;
    TGameSettings& settings = World.Settings;
    SetEnergy(StartEnergy());

    random.Randomize();
    World.Host.ShowRandomTip();
    for (int n = 1; n <= 32; ++n)
      Params(n) = random.Random();

    // The landscape number: everything drawn from here on follows from it alone. A campaign
    // plays the landscape of its level, and leaves the quick-play number as it is.
    std::optional<int> campaignEnergy;
    if (settings.GameSpec().G_GameType == gt_Campaign) {
      const TCampaignStart level = settings.StartCampaignLevel();
      random.RandomSeed = static_cast<uint32_t>(level.LandscapeNumber);
      campaignEnergy = level.Energy;
    } else if (settings.GameSpec().LandscapeFixed) {
      random.RandomSeed = static_cast<uint32_t>(settings.TakeLandscapeNumber());
    } else {
      settings.ShowLandscapeNumber(static_cast<int32_t>(random.RandomSeed));
    }
    for (int n = 4; n <= 29; ++n)
      Params(n) = random.Random();

    const TGameSpec& game = settings.GameSpec();
    double rawDifficulty = 30.0;
    switch (game.G_GameType) {
      case gt_Quick:
        rawDifficulty =
            SignedSpread(random, game.S_Difficulty, game.S_DiffVariation, Params(1), Params(2));
        break;
      case gt_Campaign:
        rawDifficulty = game.C_Difficulty * 0.01;
        break;
      default:
        World.Log.Log("Error x : GameType of \"None\" should not happen.");
        break;
    }
    Params(3) = std::clamp(rawDifficulty, 0.0, 100.0);
    if (game.G_GameType == gt_Campaign) SetEnergy(campaignEnergy.value_or(StartEnergy()));
    HeightStep = static_cast<float>(1.25 + random.Random() * 0.01);
    LastAnimation = 0;

    GeneratePoints();
    CreateMesh();
    ClearGameObjects();
    World.Host.ResetFrameTimer();
    PositionStartGameObjects();
    World.Host.SetTargetFieldOfView(135.0f);
    Hyperspace(false);
    StartAnimation(0, 0, 0, 0.0f, ga_LightOn, World.Host.GameClock(), 2.0f, 0.0f, 0.0f);
    World.Audio.Tension = 1.0f;
    const TPlayer& player = Player();
    StartAnimation(player.X, TopSettledLevel(player.X, player.Z), player.Z, 0.0f, ga_SoundPulse1,
                   World.Host.GameClock(), 3.0f, 0.0f, 0.0f);
    Runner().ScanWarning();
    World.Host.SetFieldOfView(5.0f);
    World.Host.ExecuteCommand("RUN DefaultStartGame.osc", true);
  });
}

}  // namespace orvane
