// Prints, for each picture stage, the most turns any goal height needs and at
// which height, as the stage solver finds them:
//
//   build-dir/tests/resources/marvo_stage_report

#include <cstdio>

#include "engine/field.h"
#include "tests/resources/stage_fields.h"

int main() {
  using namespace marvo::testing;
  int status = 0;
  StageSolver solver;
  for (int picture : kStagePictures) {
    int worst = -1, worst_y = 0, unsolved = 0, first_unsolved = 0;
    for (int goal_y = marvo::kGoalLowest; goal_y <= marvo::kGoalHighest; ++goal_y) {
      const StagePlan plan = solver.Solve(StageField(picture, goal_y), StartFor(picture));
      if (!plan.solved) {
        if (unsolved++ == 0) first_unsolved = goal_y;
        continue;
      }
      if (plan.turns > worst) worst = plan.turns, worst_y = goal_y;
    }
    std::printf("picture %d: worst case %d turns (goal at y %d)", picture, worst, worst_y);
    if (unsolved > 0) {
      std::printf(", UNSOLVED for %d heights, first y %d", unsolved, first_unsolved);
      status = 1;
    }
    std::printf("\n");
  }
  return status;
}
