#include "engine/scoreboard.h"

#include "engine/formats.h"

namespace marvo {

void Scoreboard::ShowScore(int32_t score) { form_.lblSC.caption = FormatScore(score); }

void Scoreboard::AddPoints(int32_t points) {
  r_.Score += points;
  ShowScore(r_.Score);
}

void Scoreboard::StartGame() {
  ShowScore(r_.Score);
  form_.lblBN.fore_color = kCyan;
}

void Scoreboard::UseTurn() {
  r_.TurnsLeft -= 1;
  ShowTurns();
}

void Scoreboard::ShowTurns() { form_.lblBN.caption = FormatTurns(r_.TurnsLeft); }

void Scoreboard::ShowStage() { form_.lblNumber.caption = FormatPlain(r_.StageNo); }

void Scoreboard::ShowAllCleared() {
  form_.lblNumber.caption = "ALL";
  form_.lblBN.caption = "";
}

void Scoreboard::ShowBetweenGames() {
  form_.lblNumber.caption = "";
  ShowScore(r_.Table(r_.speed)[1]);
  form_.lblBN.caption = "";
}

}  // namespace marvo
