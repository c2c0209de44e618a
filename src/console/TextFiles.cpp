#include "console/TextFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace orvane {

std::optional<std::vector<std::string>> ReadTextLines(const std::string& path) {
  if (!FileExists(path)) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return std::nullopt;
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      line += c;
      continue;
    }
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lines.push_back(std::move(line));
    line.clear();
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

namespace {

// Waits until the file's (or the folder's) contents are on the disk.
bool SyncToDisk(const std::string& path) {
  const int handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (handle < 0) return false;
  const bool synced = ::fsync(handle) == 0;
  ::close(handle);
  return synced;
}

}  // namespace

void WriteTextFileReplacing(const std::string& path, const std::vector<std::string>& lines) {
  const std::string fresh = path + ".new";
  {
    std::ofstream file(fresh, std::ios::binary | std::ios::trunc);
    if (!file) throw std::runtime_error("Could not create file '" + fresh + "'.");
    for (const std::string& line : lines)
      file << line << '\n';
    file.close();
    if (!file) {
      std::remove(fresh.c_str());
      throw std::runtime_error("Could not write file '" + fresh + "'.");
    }
  }
  // On the disk before it replaces the old file, so that not even a power cut leaves neither.
  if (!SyncToDisk(fresh)) {
    std::remove(fresh.c_str());
    throw std::runtime_error("Could not write file '" + fresh + "' to the disk.");
  }
  std::error_code error;
  std::filesystem::rename(fresh, path, error);
  if (error) {
    std::remove(fresh.c_str());
    throw std::runtime_error("Could not replace file '" + path + "': " + error.message() + ".");
  }
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  SyncToDisk(folder.empty() ? "." : folder.string());  // the rename itself
}

bool FileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

std::string CompleteFileName(const std::string& path) {
  std::string name = path;
  if (!FileExists(name) && FileExists(name + ".osc")) name += ".osc";
  if (!FileExists(name) && FileExists(name + ".txt")) name += ".txt";
  return name;
}

}  // namespace orvane
