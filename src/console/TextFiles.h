#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvane {

// The lines of a plain text file, whose lines end with CR LF, LF or CR; nothing when the file
// cannot be read.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path);

// Writes the lines, each ended by LF, to a new file beside `path` and renames it over the old
// one, so that the old file stays whole until the new one is complete. Throws
// std::runtime_error naming the file and the step that failed.
void WriteTextFileReplacing(const std::string& path, const std::vector<std::string>& lines);

// Whether a regular file (or a link to one) is at the path.
bool FileExists(const std::string& path);

// A script or text file's name completed: ".osc" is added when no file has the name but one
// has it with ".osc"; then ".txt" the same way.
std::string CompleteFileName(const std::string& path);

}  // namespace orvane
