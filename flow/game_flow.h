#pragma once

#include <functional>

#include "engine/game_clock.h"
#include "engine/game_record.h"
#include "engine/play.h"
#include "engine/run.h"

#include <functional>
#include "sound/wavemix.h"
#include "ui/form.h"
#include "ui/platform.h"

namespace marvo {

// A game from start to end: the start, the two endings and the way back to the
// title. It owns the play engine and is the engine's Endings.
class GameFlow final : public Endings {
 public:
  GameFlow(GameRecord& record, MainFormModel& form, Platform& platform, Wavemix& sound)
      : r_(record),
        form_(form),
        sound_(sound),
        clock_(platform),
        play_(record, form, clock_, sound, *this) {}

  // Runs a whole game: it returns once the game has ended and the window is
  // back in its title state. The caller checks GameRunning first.
  void StartGame();
  // Plays `run` again as a whole game, at its own speed, from the title back to
  // the title. Nothing it scores enters the hall of fame.
  void WatchRun(const Run& run);
  bool watching() const { return watching_; }
  // The speed the player chose, also while a run plays at its own.
  Speed player_speed() const { return watching_ ? player_speed_ : r_.speed; }
  // Ends the run being watched and goes back to the title.
  void StopWatching() {
    if (!watching_) return;
    if (Paused()) Resume();
    play_.Stop();
  }
  void GameOver() override;
  void AllClear() override;
  // Puts the title back and the game record into its idle state.
  void ReturnToTitle();

  // Told of each finished game, game over and all clear alike, as its closing
  // pause begins, once its score has entered the table shown: here the
  // score is kept for good and the tables may change.
  // Not told of runs watched. The run is the game as played, to be kept.
  std::function<void(const Run& run)> on_finished;
  // Called once, as the first game or run watched begins, before its clock
  // starts: what it takes (opening the sound, say) takes nothing from GET READY!.
  std::function<void()> before_first_game;

  // The play engine.
  Play& play() { return play_; }
  // Space on the field: a turn, unless the game is paused.
  void Turn(int16_t& KeyCode, int16_t& Shift);

  // Stops the game where it stands, from its start to the title again: the
  // head, every timed wait and the sound, with "PAUSE" over the field.
  // Resume goes on from there as if no time had passed. Outside a game
  // neither does anything.
  void Pause();
  void Resume();
  void TogglePause() { Paused() ? Resume() : Pause(); }
  bool Paused() const { return clock_.Paused(); }

 private:
  // The title machinery locked: no second start, no title timer, no links,
  // no music choices. The first steps of every start.
  void LockTitle();
  // The rest of a start: music, stage 1, GET READY!, the movement loop.
  void PlayGame();
  bool MusicOn() const { return form_.MMG_BGMU.checked; }
  int32_t InPlayMusic() const { return r_.BgmTrack == 1 ? r_.WaveBgm1 : r_.WaveBgm3; }
  int32_t ClosingJingle() const { return r_.BgmTrack == 1 ? r_.WaveBgm2 : r_.WaveBgm4; }
  // The hall-of-fame entry, the closing banner at `banner_x` with its jingle,
  // three seconds of it, and the title: how both endings finish.
  void CloseGame(int banner_x);

  GameRecord& r_;
  MainFormModel& form_;
  Wavemix& sound_;
  // Every loop of a game runs on it; declared before the engine that uses it.
  GameClock clock_;
  Play play_;
  // A start handled in the last yield of a game that is ending runs once that
  // game's loop has returned, so games in a row never pile up on the stack.
  bool in_game_ = false;
  bool start_pending_ = false;
  bool watching_ = false;
  Speed player_speed_ = Speed::k100;
};

}  // namespace marvo
