#pragma once

#include <filesystem>
#include <string>

namespace orvane {

// The folder the game runs in. Started from a folder that holds its files (the repository's),
// the game runs where it is. Installed, its shared files lie in <prefix>/share/orvane beside
// the program's <prefix>/bin, and it runs in the player's own folder, filled from them.

// The installed game's shared files for the program at this path, or an empty path when the
// program is not installed.
std::filesystem::path InstalledDataFolder(const std::filesystem::path& program);
// $XDG_DATA_HOME/orvane, else $HOME/.local/share/orvane; empty without either.
std::filesystem::path PlayerFolder();
// Copies every shipped file the player's folder lacks and makes its snapshot/ and saved/
// folders; a file the player has is never overwritten. Throws std::filesystem::filesystem_error.
void FillPlayerFolder(const std::filesystem::path& shipped, const std::filesystem::path& player);
// For an installed program: fills the player's folder and makes it the working folder. False,
// with the reason, when that cannot be done.
bool EnterGameFolder(std::string& problem);

}  // namespace orvane
