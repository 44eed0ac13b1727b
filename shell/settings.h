#pragma once

#include <string>

#include "engine/game_record.h"
#include "shell/display.h"
#include "ui/form.h"

namespace marvo {

// The settings file "marvo.ini" beside the program: the music switch, the music
// track and the hall of fame, kept between runs in the section "MARVOSTEL".

// Start-up: fills HiScore[1..5] and BgmTrack from the file (defaults for
// whatever is missing or unreadable) and sets the check marks and enabled states
// of the music menu items from the file and from which of the two music files,
// "bgm1.wav" (track 1) and "bgm3.wav" (track 2), lie in `program_dir` (the
// program's directory, without a trailing separator). With `display`, also
// reads the player's window size from its own section.
void ReadSettings(GameRecord& record, MainFormModel& form, const std::string& program_dir,
                  DisplayChoice* display = nullptr);

// The settings file's path in `program_dir`.
std::string SettingsPath(const std::string& program_dir);

// Shut-down: writes the seven keys from the music menu's check marks, BgmTrack
// and the hall of fame, and the window size when it is to be remembered,
// keeping everything else in the file. The file is
// replaced in one step, so it is either the old one or the new one, never a
// mixture. Returns false when it could not be written; an existing file that
// cannot be read is left alone rather than overwritten.
bool WriteSettings(const GameRecord& record, const MainFormModel& form,
                   const std::string& program_dir, const DisplayChoice& display = {});

}  // namespace marvo
