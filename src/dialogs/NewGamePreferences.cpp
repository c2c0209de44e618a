#include "console/Console.h"
#include "console/TextFiles.h"
#include "dialogs/NewGame.h"
#include "dialogs/settings/Preferences.h"

namespace orvane {

void TDlgNewGame::LoadPreferences(TCommandRunner& console) {
  if (FileExists(PreferencesFile))
    console.ExecuteCommand("RUN Preferences.osc", true);
  else
    Store.ApplyDefaultSettings();
  console.ExecuteCommand("RUN UserPreferences.osc", true);
}

void TDlgNewGame::SavePreferences() {
  WriteTextFileReplacing(PreferencesFile, PreferenceLines(Store));
}

}  // namespace orvane
