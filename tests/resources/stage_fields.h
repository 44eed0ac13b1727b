#pragma once

#include "tests/support/stage_solver.h"
#include "ui/surface.h"

namespace marvo::testing {

// The seven picture stages in play order (stage 1, 2, 4, 5, 7, 8, 10).
inline constexpr int kStagePictures[] = {101, 102, 103, 104, 105, 106, 107};

// A stage's field as the game lays it out: the picture, the white border and
// the red goal disc of radius 14 at (420, goal_y).
Surface StageField(int picture, int goal_y);

// Stage 1 starts the head at (2, 2), every later stage at (4, 4).
inline HeadStart StartFor(int picture) {
  return picture == 101 ? HeadStart{2, 2, 4} : HeadStart{4, 4, 4};
}

}  // namespace marvo::testing
