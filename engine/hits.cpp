// Hit resolution and the turn key: what the head has run into, and Space.
#include "engine/formats.h"
#include "engine/play.h"
#include "ui/keys.h"

namespace marvo {

void Play::PrintByHead(const std::string& text) {
  Surface& field = Field();
  field.current_x = r_.HeadX - 20;
  field.current_y = r_.HeadY - 4;
  field.Print(text);
}

void Play::picSTAGE_KeyDown(int16_t& KeyCode, int16_t& /*Shift*/) {
  if (KeyCode != kKeySpace || r_.TurnsLeft < 1) return;
  tape_.Turned(uint8_t(KeyCode));
  // One step ahead along the heading before the turn: a wall there means the
  // player turned at the very last moment.
  const int16_t probe_x = int16_t(r_.HeadX + r_.StepX[r_.Heading]);
  const int16_t probe_y = int16_t(r_.HeadY + r_.StepY[r_.Heading]);
  if (Field().GetPixel(probe_x, probe_y) == kBlue) {
    PrintByHead("Bravo!");
    board_.AddPoints(int16_t(r_.StageNo * 100));
  }
  r_.Heading = r_.NextHeading[r_.Heading];
  board_.UseTurn();
}

void Play::ResolveHit() {
  // The star pays once per stage, more for each star of the game; a star
  // inside the field then ends the call below, being neither wall nor goal.
  if (r_.StarTaken == 0 && r_.HitColor == kYellow) {
    r_.StarTaken = 1;
    r_.StarCount += 1;
    const int32_t points = r_.StarCount * 1000;
    PrintByHead(FormatPlain(points));
    sound_.PlayWave(r_.WaveStar, 0);
    board_.AddPoints(points);
  }

  // Anything non-black read outside the inside window ends the game, border
  // white and the invalid colour included.
  if (!InsideWindow(r_.HeadX, r_.HeadY) || r_.HitColor == kBlue) {
    endings_.GameOver();
    return;
  }
  // Trail, border, printed text, a star already taken: harmless.
  if (r_.HitColor != kRed) return;

  // The goal: the turns left and the stage's bonus.
  const int32_t bonus = r_.TurnsLeft * 100;
  PrintByHead(FormatPlain(bonus + r_.StageBonus));
  form_.picSTAGE.enabled = false;
  board_.AddPoints(bonus + r_.StageBonus);
  tape_.StageCleared(r_.Score);
  ShowBanner(kBannerStageClear);
  PauseWithEvents(kStageClearSeconds);
  if (stopping_) return;

  r_.StageNo += 1;
  if (BuildStage(r_.StageNo) == kNoSuchStage) {
    board_.ShowAllCleared();
    endings_.AllClear();
    return;
  }
  StartStage(kLaterStageStart);
}

void Play::Ticked() {
  // A crash has ended the game within this tick: nothing more comes in.
  if (r_.StopFlag != 0) return;
  tape_.Tick();
  PlayDueTurns();
}

void Play::PlayDueTurns() {
  for (int key = tape_.NextDueKey(); key >= 0; key = tape_.NextDueKey()) {
    int16_t code = int16_t(key), shift = 0;
    if (form_.picSTAGE.enabled) picSTAGE_KeyDown(code, shift);
  }
}

void Play::ShowBanner(int16_t row, int x) {
  // The mask blackens the letter shapes, then the sheet ORs the letters in.
  BitBlt(Field(), x, kBannerY, kBannerWidth, kBannerHeight, form_.BannerMask(), 0, row,
         RasterOp::kSrcAnd);
  BitBlt(Field(), x, kBannerY, kBannerWidth, kBannerHeight, form_.BannerSheet(), 0, row,
         RasterOp::kSrcPaint);
}

void Play::PauseWithEvents(float seconds) {
  const double start = platform_.Clock();
  while (!stopping_ && platform_.Clock() - start < double(seconds))
    platform_.Yield(start + double(seconds));
}

}  // namespace marvo
