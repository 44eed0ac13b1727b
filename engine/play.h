#pragma once

#include <cstdint>

#include "engine/game_record.h"
#include "engine/geometry.h"
#include "engine/movement.h"
#include "engine/random.h"
#include "engine/run.h"
#include "engine/scoreboard.h"
#include "sound/wavemix.h"
#include "ui/form.h"
#include "ui/platform.h"

namespace marvo {

// The two ways a game ends. The game flow above the engine provides them; hit
// resolution hands over to one of them and returns once it has run.
class Endings {
 public:
  // The head ran into a wall or out of the field.
  virtual void GameOver() = 0;
  // The tenth stage is cleared.
  virtual void AllClear() = 0;

 protected:
  ~Endings() = default;
};

// A stage number past the last: BuildStage's answer when every stage is cleared.
inline constexpr int32_t kNoSuchStage = 99;

// Stars in a whole game: one on each picture stage.
inline constexpr int32_t kStarsPerGame = 7;

// How long the banners stay, in seconds, while window events keep being handled.
inline constexpr float kGetReadySeconds = 2.0f;
inline constexpr float kStageClearSeconds = 2.0f;

// The play engine: stages, turns, hits and the movement loop, working on the
// game record and the main window's model. Its parts live by job: stage.cpp
// builds and opens stages (BuildStage, PlaceGoal, StartStage, DrawBurst, the
// field's backup, and engine/field.h's border, goal and title picture);
// hits.cpp takes the turn key and resolves hits (picSTAGE_KeyDown,
// ResolveHit, ShowBanner, PauseWithEvents); the movement loop is in
// movement.cpp and the read-outs in scoreboard.cpp. It owns nothing but the stage
// builder's random numbers; everything else is handed over once.
class Play final : public HitResolver {
 public:
  Play(GameRecord& record, MainFormModel& form, Platform& platform, Wavemix& sound,
       Endings& endings)
      : r_(record),
        form_(form),
        platform_(platform),
        sound_(sound),
        endings_(endings),
        board_(record, form) {}

  // The read-outs of this game: every change of score, stage or turns goes
  // through it.
  Scoreboard& scoreboard() { return board_; }

  // Lays out a stage on the field: its picture or its random blocks, the
  // border, 50 turns and the clear bonus. Returns the stage number for 1 to 10
  // and kNoSuchStage for any other (a bare field with its border).
  int32_t BuildStage(int16_t stage);
  // The red goal disc at a random height near the right edge.
  void PlaceGoal();
  // Opens the stage just built: its clean copy, GET READY! for two seconds,
  // the goal, and the head at `start` on the enabled field.
  void StartStage(HeadStart start);
  // Five white rings round the crash point, shown one after another.
  void DrawBurst(int16_t x, int16_t y);

  // Space on the field: a quarter turn anticlockwise while turns remain, with
  // the "Bravo!" bonus for turning one step before a wall.
  void picSTAGE_KeyDown(int16_t& KeyCode, int16_t& Shift);

  // What the colour under the head means: the star, a crash, the goal and the
  // whole stage transition; harmless colours change nothing.
  void ResolveHit() override;

  // Lays a banner row of the sheet over the field through its mask at
  // (x, 100), leaving the field visible round the letters.
  void ShowBanner(int16_t row, int x = kBannerX);
  // Waits `seconds` on the clock while window events keep being handled; a
  // game being stopped cuts it short.
  void PauseWithEvents(float seconds);

  // Stops the game where it stands (a replay the viewer has had enough of):
  // the loop ends, waits are cut short and no further stage is built.
  void Stop() {
    stopping_ = true;
    r_.StopFlag = 1;
  }
  bool stopping() const { return stopping_; }
  void ClearStop() { stopping_ = false; }

  // After each tick: a replay's turns due now come in here.
  void Ticked() override;

  // Runs the movement loop until StopFlag is set.
  void MoveHead() {
    PlayDueTurns();
    marvo::MoveHead(r_, form_.picSTAGE.surface, platform_, *this);
  }

  // The game's seeds, turns and scores, recorded or played back.
  RunTape& tape() { return tape_; }

 private:
  // The field in its clean state and back: a copy of the whole field into
  // the stage backup, and from it.
  void SaveField();
  void RestoreField();
  Surface& Field() { return form_.picSTAGE.surface; }
  // Prints a number next to the head: 20 pixels left of it and 4 above.
  void PrintByHead(const std::string& text);
  // A replay's keys due at this tick, pressed as the player pressed them.
  void PlayDueTurns();

  GameRecord& r_;
  MainFormModel& form_;
  Platform& platform_;
  Wavemix& sound_;
  Endings& endings_;
  Scoreboard board_;
  StageRandom random_;
  RunTape tape_;
  bool stopping_ = false;
};

}  // namespace marvo
