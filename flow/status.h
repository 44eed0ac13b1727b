#pragma once

#include <cstdint>
#include <string>

#include "engine/game_record.h"
#include "ui/form.h"

namespace marvo {

// The read-outs' number formats. Every writer of a read-out goes through these,
// so the same value always reads the same.

// Scores: at least six digits, zero-padded; a longer score keeps every digit.
std::string FormatScore(int32_t score);
// Turns left: at least three digits, zero-padded.
std::string FormatTurns(int32_t turns);
// Stage numbers and the points printed on the field: plain decimal.
std::string FormatPlain(int32_t value);
// A hall-of-fame caption: the entry's prefix ("TOP : ", "No2 : " ... "No5 : ")
// and the six-digit score. Entries count from 1.
std::string HallOfFameCaption(int entry, int32_t score);

// Shows or hides the hall-of-fame heading and its five entries together.
// `visible` is a classic truth value: 0 hides, anything else (-1) shows.
void ShowHallOfFame(MainFormModel& form, int16_t visible);

// Writes the five entry captions from HiScore; their visibility stays as it is.
void RefreshHallOfFame(const GameRecord& record, MainFormModel& form);

}  // namespace marvo
