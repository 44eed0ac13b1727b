#pragma once

#include <string>

#include "engine/game_record.h"
#include "shell/display.h"
#include "shell/options.h"
#include "shell/paths.h"
#include "ui/form.h"

namespace marvo {

// The settings file "marvo.ini": the music switch, the music track and the hall
// of fame, kept between runs in the section "MARVOSTEL", at `files.settings`.

// Start-up: fills HiScore[1..5] and BgmTrack from the file, or from the
// starting file while there is none (defaults for whatever is missing or
// unreadable), and sets the check marks and enabled states of the music menu
// items from it and from which of the two music files, "bgm1.wav" (track 1) and
// "bgm3.wav" (track 2), the game finds.
// With `display` and `options`, also reads the player's window size and
// options from their own sections.
void ReadSettings(GameRecord& record, MainFormModel& form, const GameFiles& files,
                  DisplayChoice* display = nullptr, Options* options = nullptr);

// Shut-down: writes the seven keys from the music menu's check marks, BgmTrack
// and the hall of fame, and the window size when it is to be remembered,
// keeping everything else in the file, and makes its
// folder when it is missing. The file is replaced in one step, so it is either
// the old one or the new one, never a mixture. Returns false, with the reason in
// `reason`, when it could not be written; an existing file that cannot be read
// is left alone rather than overwritten.
bool WriteSettings(const GameRecord& record, const MainFormModel& form, const GameFiles& files,
                   std::string& reason, const DisplayChoice& display = {},
                   const Options& options = {});

// Says on stderr that the settings could not be saved: "settings not saved to <path>: <reason>".
void ReportSaveFailure(const std::string& path, const std::string& reason);

}  // namespace marvo
