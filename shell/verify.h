#pragma once

#include <cstdio>

#include "engine/run.h"
#include "ui/text.h"

namespace marvo {

// Plays `run` again as a whole game on a virtual clock that jumps from one
// deadline to the next, without a window or sound, its text drawn by `text`,
// and returns what the game made of it.
Run ReplayHeadless(const Run& run, const TextRasterizer& text);

// Re-runs `run` and prints each stage's score and the final score to `out`.
// Returns 0 when they are the recorded ones; otherwise says on `err` which
// stage is the first to differ and returns 1.
int VerifyRun(const Run& run, const TextRasterizer& text, std::FILE* out, std::FILE* err);

}  // namespace marvo
