#pragma once

#include "tests/support/stage_solver.h"
#include "ui/surface.h"

namespace marvo::testing {

// The seven picture stages in play order (stage 1, 2, 4, 5, 7, 8, 10).
inline constexpr int kStagePictures[] = {101, 102, 103, 104, 105, 106, 107};

// A stage's field as the game lays it out: the picture, the white border and
// the red goal disc at height goal_y.
Surface StageField(int picture, int goal_y);

// Where the head starts on the stage showing `picture`.
inline HeadStart StartFor(int picture) {
  return picture == kStagePictures[0] ? kFirstStageStart : kLaterStageStart;
}

}  // namespace marvo::testing
