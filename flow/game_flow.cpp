#include "flow/game_flow.h"

#include <utility>

#include "engine/field.h"
#include "flow/hall_of_fame.h"
#include "flow/status.h"
#include "ui/bonuses.h"
#include "ui/tracks.h"

namespace marvo {

namespace {
constexpr int16_t kLoopForever = -1;

// How long the all-clear lines and the closing banner stay, in seconds.
constexpr float kAllClearSeconds = 5.0f;
constexpr float kClosingSeconds = 3.0f;
}  // namespace

void GameFlow::LockTitle() {
  r_.GameRunning = 1;
  r_.LinkLock = 1;
  form_.DemoTimer.enabled = false;
  ShowHallOfFame(form_, 0);
  r_.DemoPhase = 0;
  form_.MMG_Start.enabled = false;
  form_.MMG_Watch.enabled = false;
  form_.MM_Setting.enabled = false;
  form_.MMG_Pause.enabled = true;
  form_.speed_note.clear();
  form_.replay_mark = watching_;
}

void GameFlow::Turn(int16_t& KeyCode, int16_t& Shift) {
  if (!Paused()) play_.picSTAGE_KeyDown(KeyCode, Shift);
}

void GameFlow::Pause() {
  if (r_.GameRunning == 0 || Paused()) return;
  clock_.Pause();
  sound_.PauseSound(true);
  form_.pause_shown = true;
}

void GameFlow::Resume() {
  if (!Paused()) return;
  clock_.Resume();
  sound_.PauseSound(false);
  form_.pause_shown = false;
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

void GameFlow::WatchRun(const Run& run) {
  player_speed_ = r_.speed;
  r_.speed = run.speed;
  watching_ = true;
  play_.tape().Replay(run);
  StartGame();
  watching_ = false;
  r_.speed = player_speed_;
}

void GameFlow::PlayGame() {
  if (before_first_game) std::exchange(before_first_game, nullptr)();
  play_.ClearStop();
  clock_.Begin();
  if (!watching_) play_.tape().Record(r_.speed);
  if (MusicOn()) {
    form_.lblBgmName.caption = TrackCredit(r_.BgmTrack);
    sound_.PlayWave(InPlayMusic(), kLoopForever);
  }
  play_.scoreboard().StartGame();
  play_.BuildStage(r_.StageNo);
  play_.StartStage(kFirstStageStart);
  if (!play_.stopping()) {
    r_.StopFlag = 0;
    play_.MoveHead();
  }
  // Stopped before the game ended by itself: straight back to the title.
  if (play_.stopping() && r_.GameRunning != 0) {
    sound_.StopWave(InPlayMusic());
    ReturnToTitle();
  }
  // A start pending after a watched run is a game of the player's own.
  watching_ = false;
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
  const bool all_stars = r_.StarCount == kStarsPerGame;
  play_.scoreboard().AddPoints(all_stars ? kAllStarsBonus : kAllClearBonus);
  form_.lblMsg.visible = true;
  form_.lblbonus1.visible = true;
  if (all_stars) form_.lblbonus2.visible = true;
  play_.PauseWithEvents(kAllClearSeconds);  // the music plays on
  sound_.StopWave(InPlayMusic());
  form_.lblbonus1.visible = false;
  form_.lblbonus2.visible = false;
  form_.lblMsg.visible = false;
  // The all-clear banner sits one pixel right of every other.
  CloseGame(kBannerX + 1);
}

void GameFlow::CloseGame(int banner_x) {
  play_.tape().GameEnded(r_.Score);
  // A run being watched scores for nobody.
  if (!watching_) EnterHighScore(r_, r_.Score);
  // Kept for good as the pause begins, so that nothing afterwards can lose it.
  if (!watching_ && on_finished) on_finished(play_.tape().made());
  RefreshHallOfFame(r_, form_);
  play_.ShowBanner(kBannerGameOver, banner_x);
  if (MusicOn()) sound_.PlayWave(ClosingJingle(), 0);
  play_.PauseWithEvents(kClosingSeconds);
  ReturnToTitle();
}

void GameFlow::ReturnToTitle() {
  ShowTitlePicture(form_.picSTAGE.surface);
  play_.scoreboard().ShowBetweenGames();
  // The link rotation carries on from where it stood.
  form_.lblBgmName.caption =
      r_.CaptionIndex != 0 ? r_.Captions[size_t(r_.CaptionIndex)] : std::string(kTitleCaption);
  r_.ResetToIdle();
  form_.MMG_Start.enabled = true;
  form_.MM_Setting.enabled = true;
  form_.MMG_Pause.enabled = false;
  form_.replay_mark = false;
  form_.DemoTimer.enabled = true;
  ShowSpeedNote(r_.speed, form_);
}

}  // namespace marvo
