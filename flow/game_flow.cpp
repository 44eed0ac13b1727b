#include "flow/game_flow.h"

#include "engine/field.h"
#include "engine/formats.h"
#include "flow/hall_of_fame.h"
#include "flow/status.h"

namespace marvo {

namespace {
constexpr const char* kTrack1Caption =
    "BGM : TIDAL ARCADE ( Composed By Kiro Vantel with SOUNDLOOM )";
constexpr const char* kTrack2Caption = "BGM : UNDERTOW ( Composed By Kiro Vantel with SOUNDLOOM )";
constexpr int16_t kLoopForever = -1;
}  // namespace

void GameFlow::LockTitle() {
  r_.GameRunning = 1;
  r_.LinkLock = 1;
  form_.DemoTimer.enabled = false;
  ShowHallOfFame(form_, 0);
  r_.DemoPhase = 0;
  form_.MMG_Start.enabled = false;
  form_.MM_Setting.enabled = false;
}

void GameFlow::StartGame() {
  LockTitle();
  // The previous game ended in this very yield of its loop: let that loop
  // return first, then this game runs (see the loop below).
  if (in_game_) {
    start_pending_ = true;
    return;
  }
  in_game_ = true;
  do {
    start_pending_ = false;
    PlayGame();
  } while (start_pending_);
  in_game_ = false;
}

void GameFlow::PlayGame() {
  if (MusicOn()) {
    form_.lblBgmName.caption = r_.BgmTrack == 1 ? kTrack1Caption : kTrack2Caption;
    sound_.PlayWave(InPlayMusic(), kLoopForever);
  }
  form_.lblSC.caption = FormatScore(0);
  form_.lblNumber.caption = FormatPlain(r_.StageNo);
  play_.BuildStage(r_.StageNo);
  form_.lblBN.fore_color = kCyan;
  form_.lblBN.caption = FormatTurns(r_.TurnsLeft);
  play_.SaveField();
  play_.ShowBanner(kBannerGetReady);
  play_.PauseWithEvents(2.0f);
  play_.RestoreField();
  play_.PlaceGoal();  // after the copy, so the clean copy never holds the goal
  form_.picSTAGE.enabled = true;
  r_.StopFlag = 0;
  play_.MoveHead();
}

void GameFlow::GameOver() {
  r_.StopFlag = 1;
  form_.picSTAGE.enabled = false;
  sound_.PlayWave(r_.WaveCrash, 0);
  // Stopped whether or not music is on: stopping silence is harmless.
  sound_.StopWave(InPlayMusic());
  play_.DrawBurst(r_.HeadX, r_.HeadY);
  CloseGame(kBannerX);
}

void GameFlow::AllClear() {
  r_.StopFlag = 1;
  r_.Score += r_.StarCount == 7 ? 150000 : 100000;
  form_.lblSC.caption = FormatScore(r_.Score);
  form_.lblMsg.visible = true;
  form_.lblbonus1.visible = true;
  if (r_.StarCount == 7) form_.lblbonus2.visible = true;
  play_.PauseWithEvents(5.0f);  // the music plays on
  sound_.StopWave(InPlayMusic());
  form_.lblbonus1.visible = false;
  form_.lblbonus2.visible = false;
  form_.lblMsg.visible = false;
  // The all-clear banner sits one pixel right of every other.
  CloseGame(kBannerX + 1);
}

void GameFlow::CloseGame(int banner_x) {
  EnterHighScore(r_, r_.Score);
  RefreshHallOfFame(r_, form_);
  play_.ShowBanner(kBannerGameOver, banner_x);
  if (MusicOn()) sound_.PlayWave(ClosingJingle(), 0);
  play_.PauseWithEvents(3.0f);
  ReturnToTitle();
}

void GameFlow::ReturnToTitle() {
  ShowTitlePicture(form_.picSTAGE.surface);
  form_.lblNumber.caption = "";
  form_.lblSC.caption = FormatScore(r_.HiScore[1]);
  form_.lblBN.caption = "";
  // The link rotation carries on from where it stood.
  form_.lblBgmName.caption =
      r_.CaptionIndex != 0 ? r_.Captions[size_t(r_.CaptionIndex)] : std::string(kTitleCaption);
  r_.ResetToIdle();
  form_.MMG_Start.enabled = true;
  form_.MM_Setting.enabled = true;
  form_.DemoTimer.enabled = true;
}

}  // namespace marvo
