#pragma once

#include <string>

#include "engine/run.h"
#include "shell/replay_file.h"

namespace marvo {

// The game's version as its replays name it.
const char* GameVersion();

// The best run at a speed: "best.mvr" at full speed, "best-75.mvr" and
// "best-50.mvr" at the others.
std::string BestRunFile(Speed speed);

// Reads the replay at `path`; a file that cannot be read gives the reason.
ReplayRead LoadReplay(const std::string& path);

// Keeps a finished game in `folder` (made when missing): always as "last.mvr",
// and as its speed's best when it scores more than the best kept there (a tie
// keeps the older run; a best that cannot be read is no best). Each file is
// replaced in one step. Returns false with the reason when a file could not
// be written; the old file then stays whole.
bool KeepRun(const std::string& folder, const Run& run, std::string& reason);

}  // namespace marvo
