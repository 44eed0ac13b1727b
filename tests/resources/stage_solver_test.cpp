#include "tests/support/stage_solver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/resources/stage_fields.h"

namespace marvo::testing {
namespace {

// How a plan ends when the game plays it: the movement loop and hit rules told
// over again in the plainest way, trail included, so a plan the solver got
// wrong shows up here. A good plan gives "cleared with the star after N turns".
std::string Play(Surface field, HeadStart start, const StagePlan& plan) {
  static constexpr int kStepX[5] = {0, -3, 3, -3, 3}, kStepY[5] = {0, -3, -3, 3, 3};
  static constexpr int kNext[5] = {0, 3, 1, 4, 2};  // one press turns anticlockwise
  int x = start.x, y = start.y, heading = start.heading, turns = 0;
  bool star = false;
  auto press = plan.presses.begin();
  for (int tick = 1; tick <= 100000; ++tick) {
    for (; press != plan.presses.end() && press->tick == tick; ++press) {
      for (int i = 0; i < press->presses; ++i) heading = kNext[heading];
      turns += press->presses;
    }
    x += kStepX[heading], y += kStepY[heading];
    const Color color = field.GetPixel(x, y);
    star |= color == kYellow;
    if (color == kBlue || (color != kBlack && (x <= 2 || x >= 443 || y <= 2 || y >= 339))) {
      return "crash at " + std::to_string(x) + "," + std::to_string(y);
    }
    if (color == kRed) {
      return std::string(star ? "cleared with" : "cleared without") + " the star after " +
             std::to_string(turns) + " turns";
    }
    field.Point(x, y, kWhite);
  }
  return "never arrived";
}

TEST(StageSolverTest, TurnsSeveralTimesOnOneSpotToLeaveABlindAlley) {
  // The star at the end of a walled alley off the start diagonal, the goal up
  // a side alley: reverse at the star (2 presses on one spot), then from up
  // left to up right at the fork (3 presses: turns go anticlockwise only).
  Surface alley(447, 342);
  alley.Box(2, 2, 443, 340, kWhite);
  alley.FilledBox(3, 3, 442, 338, kBlue);
  for (int i = 0; i < 120; ++i) alley.FilledBox(4 + i, 4 + i - 6, 4 + i, 4 + i + 6, kBlack);
  for (int i = 0; i < 60; ++i) alley.FilledBox(64 + i, 64 - i - 6, 64 + i, 64 - i + 6, kBlack);
  alley.FilledBox(120, 120, 122, 122, kYellow);
  alley.FilledBox(121, 4, 123, 8, kRed);
  const StagePlan plan = SolveStage(alley, {4, 4, 4});
  ASSERT_TRUE(plan.solved);
  EXPECT_EQ(plan.turns, 5);
  EXPECT_EQ(Play(alley, {4, 4, 4}, plan), "cleared with the star after 5 turns");
}

// The heart of the pictures: every picture stage can be cleared with its star
// taken first, within the stage's 50 turns, wherever the goal lands.
TEST(StageSolverTest, EveryPictureStageIsClearableWithItsStarForEveryGoalHeight) {
  StageSolver solver;
  for (int picture : kStagePictures) {
    for (int goal_y = 17; goal_y <= 323; ++goal_y) {
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
