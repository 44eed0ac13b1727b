#pragma once

#include <cstdint>
#include <string>

#include "engine/formats.h"
#include "engine/game_record.h"
#include "ui/form.h"

namespace marvo {

// A hall-of-fame caption: the entry's prefix ("TOP : ", "No2 : " ... "No5 : ")
// and the six-digit score. Entries count from 1.
std::string HallOfFameCaption(int entry, int32_t score);

// Shows or hides the hall-of-fame heading and its five entries together.
// `visible` is a classic truth value: 0 hides, anything else (-1) shows.
void ShowHallOfFame(MainFormModel& form, int16_t visible);

// Writes the five entry captions from the chosen speed's table; their
// visibility stays as it is.
void RefreshHallOfFame(const GameRecord& record, MainFormModel& form);

// "SPEED 75%" or "SPEED 50%" over the title while the game runs slower, so
// that nobody takes one speed's hall of fame for another's; nothing at full speed.
void ShowSpeedNote(Speed speed, MainFormModel& form);
// Between games, after the speed or the tables changed: the hall of fame and
// the score read-out's best score from the chosen speed's table.
void ShowChosenTable(GameRecord& record, MainFormModel& form);

}  // namespace marvo
