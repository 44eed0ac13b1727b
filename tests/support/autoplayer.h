#pragma once

#include <functional>
#include <set>

#include "engine/game_record.h"
#include "tests/support/stage_solver.h"
#include "ui/form.h"
#include "ui/platform.h"

namespace marvo::support {

// Plays the game like a person with perfect foresight. It sits between the
// game and its platform: on every yield it looks at the field, and whenever
// the field becomes enabled (a stage begins) it plans a way through the field
// the game has just drawn, then presses Space before the ticks the plan names.
class Autoplayer final : public Platform {
 public:
  explicit Autoplayer(Platform& inner) : inner_(inner) {}
  // The game to play: its record, its field and how to press Space on it.
  void Attach(const GameRecord& record, const PictureBox& field,
              std::function<void()> press_space) {
    record_ = &record;
    field_ = &field;
    press_space_ = std::move(press_space);
  }

  double Clock() override { return inner_.Clock(); }
  uint32_t ClockSeed() override { return inner_.ClockSeed(); }
  void Yield(double deadline) override;

  // Off: the head runs straight on.
  bool playing = true;
  // Stages (by number) whose star the plan goes round instead of taking.
  std::set<int> leave_star_on;
  // A random player instead: a press on each tick with this chance (0 = off),
  // from its own generator, so games end in crashes of every kind.
  double random_press_chance = 0.0;
  uint32_t random_seed = 1;
  // The random player keeps still for the first ticks of each stage, to get
  // away from the start corner.
  int random_quiet_ticks = 0;
  // Plays by plan up to this stage, at random from it on.
  int random_from_stage = 1;
  // Instead of playing that stage at random, plans a way to the innermost
  // line of the field on this side and runs straight out over it.
  enum class Edge { kNone, kLeft, kTop, kRight, kBottom };
  Edge aim_at_edge = Edge::kNone;
  // Runs on every yield, before the game's events: tests watch the game here.
  std::function<void()> on_yield;

 private:
  void BeginStage();
  bool Aiming() const {
    return aim_at_edge != Edge::kNone && record_->StageNo == random_from_stage;
  }
  bool Random() const {
    return random_press_chance > 0.0 && record_->StageNo >= random_from_stage && !Aiming();
  }
  // The field with the goal and star gone and a red line to aim at instead.
  void MarkEdge(Surface& field) const;
  void PressFor(int tick);

  Platform& inner_;
  const GameRecord* record_ = nullptr;
  const PictureBox* field_ = nullptr;
  std::function<void()> press_space_;
  StageSolver solver_;
  StagePlan plan_;  // this stage's
  bool was_enabled_ = false;
  int ticks_ = 0;
  int last_x_ = 0, last_y_ = 0;
};

}  // namespace marvo::support
