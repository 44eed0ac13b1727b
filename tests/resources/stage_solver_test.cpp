#include "tests/support/stage_solver.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/resources/stage_fields.h"

namespace marvo::testing {
namespace {

// What a plan does when the game plays it: the movement loop and hit rules
// told over again in the plainest way, trail included, so a plan the solver
// got wrong shows up here.
struct Outcome {
  bool star = false;
  bool cleared = false;
  int turns = 0;
  std::string crash;  // empty unless the run ended on a wall or the edge
};

Outcome Play(Surface field, HeadStart start, const StagePlan& plan) {
  static constexpr int kStepX[5] = {0, -3, 3, -3, 3}, kStepY[5] = {0, -3, -3, 3, 3};
  static constexpr int kNext[5] = {0, 3, 1, 4, 2};
  Outcome outcome;
  int x = start.x, y = start.y, heading = start.heading;
  size_t next_press = 0;
  for (int tick = 1; tick <= 100000; ++tick) {
    if (next_press < plan.presses.size() && plan.presses[next_press].tick == tick) {
      for (int i = 0; i < plan.presses[next_press].presses; ++i) heading = kNext[heading];
      outcome.turns += plan.presses[next_press++].presses;
    }
    x += kStepX[heading];
    y += kStepY[heading];
    const Color color = field.GetPixel(x, y);
    if (color != kBlack) {
      if (color == kYellow) outcome.star = true;
      if (x <= 2 || x >= 443 || y <= 2 || y >= 339 || color == kBlue) {
        outcome.crash = "crash at " + std::to_string(x) + "," + std::to_string(y);
        return outcome;
      }
      if (color == kRed) {
        outcome.cleared = true;
        return outcome;
      }
    }
    field.Point(x, y, kWhite);
  }
  outcome.crash = "never arrived";
  return outcome;
}

Surface OpenField() {
  Surface field(447, 342);
  field.Box(2, 2, 443, 340, kWhite);
  return field;
}

void Goal(Surface& field, int x, int y) {
  field.fill_color = kRed;
  field.fill_style = FillStyle::kSolid;
  field.Circle(x, y, 14, kRed);
}

TEST(StageSolverTest, FindsTheFewestTurnsOnSmallFields) {
  // Star and goal on the start diagonal: no turn at all.
  Surface straight = OpenField();
  straight.FilledBox(100, 100, 102, 102, kYellow);
  straight.FilledBox(199, 199, 201, 201, kRed);
  StagePlan plan = SolveStage(straight, {4, 4, 4});
  ASSERT_TRUE(plan.solved);
  EXPECT_EQ(plan.turns, 0);
  EXPECT_TRUE(plan.presses.empty());
  EXPECT_EQ(plan.star_tick, 32);  // (100, 100) is 32 steps from (4, 4)
  EXPECT_EQ(plan.goal_tick, 65);  // (199, 199)

  // The goal lies up to the right of the star's diagonal: one press, down
  // right becoming up right, once the star is taken.
  Surface bend = OpenField();
  bend.FilledBox(148, 148, 150, 150, kYellow);
  Goal(bend, 400, 40);
  plan = SolveStage(bend, {4, 4, 4});
  ASSERT_TRUE(plan.solved);
  EXPECT_EQ(plan.turns, 1);
  ASSERT_EQ(plan.presses.size(), 1u);
  EXPECT_GT(plan.presses[0].tick, plan.star_tick);
  EXPECT_TRUE(Play(bend, {4, 4, 4}, plan).cleared);

  // Red on the way to the star must be gone round, not through: heading
  // straight on would clear the stage without its star.
  Surface red_first = OpenField();
  Goal(red_first, 100, 100);
  red_first.FilledBox(250, 250, 252, 252, kYellow);
  plan = SolveStage(red_first, {4, 4, 4});
  ASSERT_TRUE(plan.solved);
  EXPECT_GT(plan.turns, 0);
  const Outcome played = Play(red_first, {4, 4, 4}, plan);
  EXPECT_TRUE(played.star && played.cleared) << played.crash;
}

TEST(StageSolverTest, ReportsNoWayWhenThereIsNone) {
  // The star walled in.
  Surface walled = OpenField();
  walled.FilledBox(190, 190, 230, 230, kBlue);
  walled.FilledBox(205, 205, 215, 215, kBlack);
  walled.Point(208, 208, kYellow);
  Goal(walled, 420, 100);
  EXPECT_FALSE(SolveStage(walled, {4, 4, 4}).solved);

  // A way exists but needs more turns than allowed: the goal is behind the
  // start, so the head must reverse (two presses) at least.
  Surface behind = OpenField();
  behind.FilledBox(60, 60, 62, 62, kYellow);
  Goal(behind, 30, 30);
  EXPECT_EQ(SolveStage(behind, {46, 46, 4}, 2).turns, 2);
  EXPECT_FALSE(SolveStage(behind, {46, 46, 4}, 1).solved);

  // A star off the head's lattice (x and y not 1 modulo 3, seen from (4, 4))
  // can never be read.
  Surface off_lattice = OpenField();
  off_lattice.Point(101, 102, kYellow);
  Goal(off_lattice, 420, 100);
  EXPECT_FALSE(SolveStage(off_lattice, {4, 4, 4}).solved);
}

TEST(StageSolverTest, JumpsThinWallsAndRetracesItsTrailLikeTheGame) {
  // A one-pixel blue line across the start diagonal is stepped over, since
  // the head is judged only where it lands.
  Surface thin = OpenField();
  for (int i = 0; i < 200; ++i) thin.Point(250 - i, 60 + i, kBlue);  // x + y = 310, never landed on
  thin.FilledBox(202, 202, 204, 204, kYellow);
  Goal(thin, 300, 300);
  StagePlan plan = SolveStage(thin, {4, 4, 4});
  ASSERT_TRUE(plan.solved);
  EXPECT_EQ(plan.turns, 0);

  // The star at the end of a blind alley: the head reverses and lands on its
  // own trail all the way back out, which is harmless.
  Surface alley = OpenField();
  alley.FilledBox(3, 3, 442, 338, kBlue);
  for (int i = 0; i < 120; ++i) alley.FilledBox(4 + i, 4 + i - 6, 4 + i, 4 + i + 6, kBlack);
  for (int i = 0; i < 60; ++i) alley.FilledBox(64 + i, 64 - i - 6, 64 + i, 64 - i + 6, kBlack);
  alley.FilledBox(120, 120, 122, 122, kYellow);
  alley.FilledBox(121, 4, 123, 8, kRed);
  plan = SolveStage(alley, {4, 4, 4});
  ASSERT_TRUE(plan.solved);
  // Reverse at the star (2 presses), then from up left to up right at the
  // fork (3 presses: turns go anticlockwise only).
  EXPECT_EQ(plan.turns, 5);
  const Outcome played = Play(alley, {4, 4, 4}, plan);
  EXPECT_TRUE(played.star && played.cleared) << played.crash;
  EXPECT_EQ(played.turns, plan.turns);
}

TEST(StageSolverTest, PlaysRandomBlockStagesWhichHaveNoStar) {
  // Stage 6's layout with fixed draws: one big block and thirty small ones,
  // one of them across the start diagonal.
  Surface field = OpenField();
  field.FilledBox(150, 100, 250, 200, kBlue);
  field.FilledBox(62, 60, 72, 70, kBlue);
  for (int i = 0; i < 29; ++i) {
    const int x = 62 + (i * 97) % 321, y = 12 + (i * 151) % 307;
    field.FilledBox(x, y, x + 10, y + 10, kBlue);
  }
  Goal(field, 420, 60);
  StagePlan plan = SolveStage(field, {4, 4, 4});
  ASSERT_TRUE(plan.solved);
  EXPECT_GT(plan.turns, 0);
  EXPECT_EQ(plan.star_tick, 0);
  Outcome played = Play(field, {4, 4, 4}, plan);
  EXPECT_TRUE(played.cleared) << played.crash;

  // With a star on the field the same stage is only done once it is taken.
  field.FilledBox(301, 301, 303, 303, kYellow);
  plan = SolveStage(field, {4, 4, 4});
  ASSERT_TRUE(plan.solved);
  played = Play(field, {4, 4, 4}, plan);
  EXPECT_TRUE(played.star && played.cleared) << played.crash;
}

// The heart of the pictures: every picture stage can be cleared with its star
// taken first, within the stage's 50 turns, wherever the goal lands.
TEST(StageSolverTest, EveryPictureStageIsClearableWithItsStarForEveryGoalHeight) {
  for (int picture : kStagePictures) {
    int worst = 0;
    for (int goal_y = 17; goal_y <= 323; ++goal_y) {
      const Surface field = StageField(picture, goal_y);
      const StagePlan plan = SolveStage(field, StartFor(picture));
      ASSERT_TRUE(plan.solved) << "picture " << picture << ", goal at y " << goal_y;
      ASSERT_LE(plan.turns, 50);
      ASSERT_LT(plan.star_tick, plan.goal_tick);
      worst = std::max(worst, plan.turns);
      // Replaying every plan is slow; every tenth height is enough to keep the
      // solver honest against the plain rules.
      if (goal_y % 10 == 0) {
        const Outcome played = Play(field, StartFor(picture), plan);
        ASSERT_TRUE(played.star && played.cleared)
            << "picture " << picture << ", goal at y " << goal_y << ": " << played.crash;
      }
    }
    RecordProperty("worst_turns_" + std::to_string(picture), worst);
  }
}

}  // namespace
}  // namespace marvo::testing
