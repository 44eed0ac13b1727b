#pragma once

#include <cstdint>

#include "engine/game_record.h"

namespace marvo {

// Ranks a final score into the five-entry hall of fame with one bubbling pass
// from the bottom. The table is used as it stands, sorted or not; a score that
// ties an entry goes below it, so earlier scores keep their places.
void EnterHighScore(GameRecord& record, int32_t score);

}  // namespace marvo
