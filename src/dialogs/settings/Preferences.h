#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orvane {

class TGameSettings;

// The preference file is a script of "pref" lines that the writer below and the reader agree
// on line by line: reading the file back restores every setting.

// The lines of the preference file, in order.
std::vector<std::string> PreferenceLines(const TGameSettings& settings);

// Sets the setting of one preference key (upper case) from its value as written; `whole(n)`
// reads the n-th value (0: the first) as a whole number and throws when it is not one. False
// when the key is not a preference key.
bool ApplyPreference(TGameSettings& settings, const std::string& key, const std::string& value,
                     const std::function<int32_t(int)>& whole);

}  // namespace orvane
