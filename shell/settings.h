#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/game_record.h"
#include "engine/speed.h"
#include "shell/display.h"
#include "shell/options.h"
#include "shell/paths.h"
#include "ui/form.h"

namespace marvo {

// The settings file "marvo.ini": the music switch, the music track and the hall
// of fame, kept between runs in the section "MARVOSTEL", at `files.settings`;
// the hall of fame of each slower speed in a section of its own, "Speed75" and
// "Speed50".

// Start-up: fills the three tables and BgmTrack from the file, or from the
// starting file while there is none (defaults for whatever is missing or
// unreadable), and sets the check marks and enabled states of the music menu
// items from it and from which of the two music files, "bgm1.wav" (track 1) and
// "bgm3.wav" (track 2), the game finds.
// With `display` and `options`, also reads the player's window size and
// options from their own sections.
void ReadSettings(GameRecord& record, MainFormModel& form, const GameFiles& files,
                  DisplayChoice* display = nullptr, Options* options = nullptr);

// A finished game whose score no save has entered into the file yet.
struct FinishedGame {
  int32_t score = 0;
  Speed speed = Speed::k100;
};

enum class SaveScope {
  // At a game's end: the hall of fame alone, written only when a table changed;
  // the music, display and option keys keep the file's values.
  kHallOfFame,
  // At exit and whenever the player changes a choice: also the two music keys
  // from the music menu's check marks and BgmTrack, the window size when it is
  // to be remembered, and the five best scores whether or not they changed.
  kEverything,
};

// Every save, inside a lock on the folder that holds the file (after its
// symbolic links): reads the file as it is on disk now (the starting file
// while there is none), enters the `pending` scores in order into its tables
// by the hall of fame's own rule, and makes the result the game's tables. Then
// writes it, keeping everything else in the file, making its folder when it
// is missing, and replacing the file in one step so that it is either the old
// one or the new one. `pending` is emptied once its scores are in the file.
// Returns false, with the reason in `reason`, when it could not be written; an
// existing file that cannot be read is left alone rather than overwritten, and
// the game's tables stay as they are. A speed's own table is written only once
// a score has entered it; the display and the options only when remembered.
bool SaveSettings(SaveScope scope, GameRecord& record, const MainFormModel& form,
                  const GameFiles& files, std::vector<FinishedGame>& pending, std::string& reason,
                  const DisplayChoice& display = {}, const Options& options = {});

// Says on stderr that the settings could not be saved: "settings not saved to <path>: <reason>".
void ReportSaveFailure(const std::string& path, const std::string& reason);

}  // namespace marvo
