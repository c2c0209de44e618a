#pragma once

#include <string>

namespace orvane {

struct TProgram;

// How a batch run ended.
enum TBatchStatus : int { bs_Done = 0, bs_LineFailed = 1, bs_NoFile = 2 };

// Runs a script file without a window: the preferences are loaded and the first landscape made
// as the game does, then every line of the file runs through the console as if typed. The
// preferences are not saved.
TBatchStatus RunBatch(TProgram& program, const std::string& path);

}  // namespace orvane
