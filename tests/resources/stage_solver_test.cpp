#include "tests/support/stage_solver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "engine/field.h"
#include "resources/pictures.h"

namespace marvo::testing {
namespace {

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
  const StagePlan plan = StageSolver().Solve(alley, kLaterStageStart);
  ASSERT_TRUE(plan.solved);
  // The head lands every 3 pixels from (4, 4): the star at (121, 121) on tick
  // 39, back at the fork (64, 64) on tick 58, the goal at (121, 7) on tick 77.
  EXPECT_EQ(plan.turns, 5);
  EXPECT_EQ(plan.presses, (std::vector<TurnPresses>{{40, 2}, {59, 3}}));
  EXPECT_EQ(std::pair(plan.star_tick, plan.goal_tick), std::pair(39, 77));
}

// The heart of the pictures: every picture stage (stages 1, 2, 4, 5, 7, 8 and
// 10) can be cleared with its star taken first, within the stage's 50 turns,
// wherever the goal lands. The hardest goal height of each is printed.
TEST(StageSolverTest, EveryPictureStageIsClearableWithItsStarForEveryGoalHeight) {
  StageSolver solver;
  for (int picture = 101; picture <= 107; ++picture) {
    int worst = 0, worst_y = 0;
    for (int goal_y = kGoalLowest; goal_y <= kGoalHighest; ++goal_y) {
      Surface field(kFieldWidth, kFieldHeight);
      field.AssignPicture(LoadPicture(picture));
      DrawFieldBorder(field);
      DrawGoal(field, goal_y);
      const StagePlan plan =
          solver.Solve(field, picture == 101 ? kFirstStageStart : kLaterStageStart);
      ASSERT_TRUE(plan.solved && plan.turns <= 50 && plan.star_tick < plan.goal_tick)
          << "picture " << picture << ", goal at y " << goal_y;
      if (plan.turns > worst) worst = plan.turns, worst_y = goal_y;
    }
    std::printf("picture %d: at worst %d turns (goal at y %d)\n", picture, worst, worst_y);
  }
}

}  // namespace
}  // namespace marvo::testing
