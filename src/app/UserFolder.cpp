#include "app/UserFolder.h"

#include <cstdlib>
#include <system_error>

namespace orvane {

namespace fs = std::filesystem;

fs::path InstalledDataFolder(const fs::path& program) {
  const fs::path data = program.parent_path().parent_path() / "share" / "orvane";
  std::error_code error;
  return fs::is_directory(data / "media", error) ? data : fs::path();
}

fs::path PlayerFolder() {
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/')
    return fs::path(data) / "orvane";
  if (const char* home = std::getenv("HOME"); home && *home)
    return fs::path(home) / ".local" / "share" / "orvane";
  return {};
}

void FillPlayerFolder(const fs::path& shipped, const fs::path& player) {
  fs::create_directories(player);
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(shipped)) {
    const fs::path target = player / fs::relative(entry.path(), shipped);
    if (entry.is_directory())
      fs::create_directories(target);
    else if (!fs::exists(target))
      fs::copy_file(entry.path(), target);
  }
  fs::create_directories(player / "snapshot");
  fs::create_directories(player / "saved");
}

bool EnterGameFolder(std::string& problem) {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error) return true;  // where the program is cannot be told: it runs where it is
  const fs::path shipped = InstalledDataFolder(program);
  if (shipped.empty()) return true;
  const fs::path player = PlayerFolder();
  if (player.empty()) {
    problem = "neither XDG_DATA_HOME nor HOME is set, so there is no folder to play in";
    return false;
  }
  try {
    FillPlayerFolder(shipped, player);
    fs::current_path(player);
  } catch (const fs::filesystem_error& failure) {
    problem = failure.what();
    return false;
  }
  return true;
}

}  // namespace orvane
