#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/speed.h"
#include "ui/platform.h"

namespace marvo {

// A turn as a run keeps it: the ticks the head had moved since the game began
// when the key came, and the key.
struct RunTurn {
  uint32_t tick = 0;
  uint8_t key = 0;
  bool operator==(const RunTurn&) const = default;
};

// A game as it was played, which is all it takes to play it again: the stage
// builder's seeds in the order they were drawn and the turns on the tick count.
// The scores are what the game made of them, so a replay can be checked.
struct Run {
  Speed speed = Speed::k100;
  std::vector<uint32_t> seeds;
  std::vector<RunTurn> turns;
  std::vector<int32_t> stage_scores;  // the score as each stage was cleared
  int32_t final_score = 0;
  bool operator==(const Run&) const = default;
};

// The game's tape: it records the game being played or feeds a recorded one
// back. Pauses never reach it: it counts the head's ticks, not time.
class RunTape {
 public:
  // A new game to record.
  void Record(Speed speed);
  // A new game that plays `run` again. What the game makes of it is recorded
  // as usual, so `made()` can be held against `run` afterwards.
  void Replay(const Run& run);
  bool replaying() const { return replaying_; }

  // The seed for the next layout: the recorded one when replaying (0 once the
  // recorded ones are used up, which the check then shows), else the clock's.
  uint32_t NextSeed(Platform& platform);
  // One tick of the head done.
  void Tick() { ++ticks_; }
  uint32_t ticks() const { return ticks_; }
  // A key that turned the head, now.
  void Turned(uint8_t key) { made_.turns.push_back({ticks_, key}); }
  // When replaying: the next recorded key due at this tick, one at a time, or
  // -1 when none is.
  int NextDueKey();
  void StageCleared(int32_t score) { made_.stage_scores.push_back(score); }
  void GameEnded(int32_t score) { made_.final_score = score; }

  // The game as recorded so far.
  const Run& made() const { return made_; }

 private:
  Run made_;
  Run source_;
  bool replaying_ = false;
  uint32_t ticks_ = 0;
  std::size_t next_seed_ = 0;
  std::size_t next_turn_ = 0;
};

}  // namespace marvo
