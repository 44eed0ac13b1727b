#pragma once

#include <string>

#include "engine/game_record.h"
#include "sound/wavemix.h"

namespace marvo {

// Loads the game's six wave files from the program's directory into the sound
// module and keeps their slots in the game record: bgm1, bgm2, bgm3, bgm4, the
// crash and the star, in that order, so they take slots 0 to 5.
void LoadWaveFiles(GameRecord& game, Wavemix& sound, const std::string& program_dir);

}  // namespace marvo
