#include "flow/status.h"

#include <array>

#include "engine/scoreboard.h"

namespace marvo {

namespace {

std::array<Label*, kHallOfFamePlaces> Entries(MainFormModel& form) {
  return {&form.lblHSC1, &form.lblHSC2, &form.lblHSC3, &form.lblHSC4, &form.lblHSC5};
}

}  // namespace

std::string HallOfFameCaption(int entry, int32_t score) {
  static constexpr std::array<const char*, kHallOfFamePlaces> kPrefixes = {
      "TOP : ", "No2 : ", "No3 : ", "No4 : ", "No5 : "};
  return kPrefixes.at(size_t(entry - 1)) + FormatScore(score);
}

void ShowHallOfFame(MainFormModel& form, int16_t visible) {
  form.lblHSCTitle.visible = visible != 0;
  for (Label* entry : Entries(form)) entry->visible = visible != 0;
}

void RefreshHallOfFame(const GameRecord& record, MainFormModel& form) {
  const auto entries = Entries(form);
  for (int i = 1; i <= kHallOfFamePlaces; ++i)
    entries[size_t(i - 1)]->caption = HallOfFameCaption(i, record.Table(record.speed)[size_t(i)]);
}

void ShowChosenTable(GameRecord& record, MainFormModel& form) {
  RefreshHallOfFame(record, form);
  if (record.GameRunning == 0) Scoreboard(record, form).ShowBetweenGames();
}

void ShowSpeedNote(Speed speed, MainFormModel& form) {
  form.speed_note = speed == Speed::k100 ? "" : "SPEED " + std::to_string(Percent(speed)) + "%";
}

}  // namespace marvo
