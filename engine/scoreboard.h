#pragma once

#include <cstdint>

#include "engine/game_record.h"
#include "ui/form.h"

namespace marvo {

// The read-out panel right of the field: the score, the stage and the turns
// left. Whatever changes one of these numbers goes through here, so a number
// and its read-out never part. It holds nothing of its own.
class Scoreboard {
 public:
  Scoreboard(GameRecord& record, MainFormModel& form) : r_(record), form_(form) {}

  // Adds to the score and shows the new total.
  void AddPoints(int32_t points);
  // A game begins: the score it starts from, the turns in their playing colour.
  void StartGame();
  // Uses one turn and shows how many are left.
  void UseTurn();
  // Shows the turns left, as a stage begins.
  void ShowTurns();
  // Shows the stage number.
  void ShowStage();
  // Every stage is cleared: "ALL" for the stage, no turns.
  void ShowAllCleared();
  // Between games: the best score, with no stage and no turns.
  void ShowBetweenGames();

 private:
  void ShowScore(int32_t score);

  GameRecord& r_;
  MainFormModel& form_;
};

}  // namespace marvo
