#pragma once

#include <array>
#include <cstdint>

#include "engine/game_record.h"

namespace marvo {

// Ranks a final score into the hall of fame with one bubbling pass
// from the bottom. The table is used as it stands, sorted or not; a score that
// ties an entry goes below it, so earlier scores keep their places.
void EnterHighScore(HallOfFame& table, int32_t score);

// Enters a score made at the chosen speed into that speed's table.
inline void EnterHighScore(GameRecord& record, int32_t score) {
  EnterHighScore(record.Table(record.speed), score);
}

}  // namespace marvo
