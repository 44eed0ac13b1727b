#include "tests/support/stage_solver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/field.h"
#include "engine/game_record.h"
#include "engine/movement.h"
#include "tests/resources/stage_fields.h"

namespace marvo::testing {
namespace {

// How a plan ends when the game plays it: the engine's own movement loop,
// trail included, with the presses made between ticks and the hit rules told
// over again in the plainest way, so a plan the solver got wrong shows up
// here. A good plan gives "cleared with the star after N turns".
class Replay final : public Platform, public HitResolver {
 public:
  Replay(const StagePlan& plan, HeadStart start) : plan_(plan), press_(plan.presses.begin()) {
    r_.StoreStartUpValues();
    r_.HeadX = start.x, r_.HeadY = start.y, r_.Heading = start.heading, r_.StopFlag = 0;
  }
  std::string Play(Surface field) {
    MoveHead(r_, field, *this, *this);
    return outcome_;
  }

  // Every pass but the first is a tick; the presses for it come just before.
  double Clock() override { return now_; }
  uint32_t ClockSeed() override { return 0; }
  void Yield(double) override {
    now_ += 0.02;
    ++tick_;
    for (; press_ != plan_.presses.end() && press_->tick == tick_; ++press_) {
      for (int i = 0; i < press_->presses; ++i) r_.Heading = r_.NextHeading[size_t(r_.Heading)];
      turns_ += press_->presses;
    }
    if (tick_ > 100000) Finish("never arrived");
  }
  void ResolveHit() override {
    const Color color = r_.HitColor;
    star_ |= color == kYellow;
    if (color == kBlue || !InsideWindow(r_.HeadX, r_.HeadY)) {
      Finish("crash at " + std::to_string(r_.HeadX) + "," + std::to_string(r_.HeadY));
    } else if (color == kRed) {
      Finish(std::string(star_ ? "cleared with" : "cleared without") + " the star after " +
             std::to_string(turns_) + " turns");
    }
  }

 private:
  void Finish(std::string outcome) {
    if (r_.StopFlag == 0) outcome_ = std::move(outcome);
    r_.StopFlag = 1;
  }
  const StagePlan& plan_;
  std::vector<TurnPresses>::const_iterator press_;
  GameRecord r_;
  double now_ = 0.0;
  int tick_ = 0, turns_ = 0;
  bool star_ = false;
  std::string outcome_;
};

std::string Play(const Surface& field, HeadStart start, const StagePlan& plan) {
  return Replay(plan, start).Play(field);
}

TEST(StageSolverTest, TurnsSeveralTimesOnOneSpotToLeaveABlindAlley) {
  // The star at the end of a walled alley off the start diagonal, the goal up
  // a side alley: reverse at the star (2 presses on one spot), then from up
  // left to up right at the fork (3 presses: turns go anticlockwise only).
  Surface alley(kFieldWidth, kFieldHeight);
  DrawFieldBorder(alley);
  alley.FilledBox(3, 3, 442, 338, kBlue);
  for (int i = 0; i < 120; ++i) alley.FilledBox(4 + i, 4 + i - 6, 4 + i, 4 + i + 6, kBlack);
  for (int i = 0; i < 60; ++i) alley.FilledBox(64 + i, 64 - i - 6, 64 + i, 64 - i + 6, kBlack);
  alley.FilledBox(120, 120, 122, 122, kYellow);
  alley.FilledBox(121, 4, 123, 8, kRed);
  const StagePlan plan = SolveStage(alley, kLaterStageStart);
  ASSERT_TRUE(plan.solved);
  EXPECT_EQ(plan.turns, 5);
  EXPECT_EQ(Play(alley, kLaterStageStart, plan), "cleared with the star after 5 turns");
}

// The heart of the pictures: every picture stage can be cleared with its star
// taken first, within the stage's 50 turns, wherever the goal lands.
TEST(StageSolverTest, EveryPictureStageIsClearableWithItsStarForEveryGoalHeight) {
  StageSolver solver;
  for (int picture : kStagePictures) {
    for (int goal_y = kGoalLowest; goal_y <= kGoalHighest; ++goal_y) {
      const Surface field = StageField(picture, goal_y);
      const StagePlan plan = solver.Solve(field, StartFor(picture));
      ASSERT_TRUE(plan.solved && plan.turns <= 50 && plan.star_tick < plan.goal_tick)
          << "picture " << picture << ", goal at y " << goal_y;
      if (goal_y % 10 == 0) {  // replaying them all is slow
        EXPECT_EQ(Play(field, StartFor(picture), plan),
                  "cleared with the star after " + std::to_string(plan.turns) + " turns")
            << "picture " << picture << ", goal at y " << goal_y;
      }
    }
  }
}

}  // namespace
}  // namespace marvo::testing
