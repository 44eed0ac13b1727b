#include "tests/support/stage_solver.h"

#include <gtest/gtest.h>

#include "engine/field.h"
#include "resources/pictures.h"

namespace marvo::support {
namespace {

// The heart of the pictures: every picture stage (stages 1, 2, 4, 5, 7, 8 and
// 10) can be cleared with its star taken first, within the stage's 50 turns,
// wherever the goal lands.
TEST(StageSolverTest, EveryPictureStageIsClearableWithItsStarForEveryGoalHeight) {
  StageSolver solver;
  for (int picture = 101; picture <= 107; ++picture) {
    for (int goal_y = kGoalLowest; goal_y <= kGoalHighest; ++goal_y) {
      Surface field(kFieldWidth, kFieldHeight);
      field.AssignPicture(LoadPicture(picture));
      DrawFieldBorder(field);
      DrawGoal(field, goal_y);
      const StagePlan plan =
          solver.Solve(field, picture == 101 ? kFirstStageStart : kLaterStageStart);
      ASSERT_TRUE(plan.solved && plan.turns <= 50 && plan.star_tick > 0 &&
                  plan.star_tick < plan.goal_tick)
          << "picture " << picture << ", goal at y " << goal_y;
    }
  }
}

}  // namespace
}  // namespace marvo::support
