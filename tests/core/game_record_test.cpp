#include "engine/game_record.h"

#include <gtest/gtest.h>

namespace marvo {
namespace {

TEST(GameRecord, FourTurnsComeBackAndEachIsAQuarterTurnAnticlockwise) {
  GameRecord r;
  r.StoreStartUpValues();
  int16_t h = kDownRight;
  const int16_t expected[] = {kUpRight, kUpLeft, kDownLeft, kDownRight};
  for (int16_t next : expected) {
    // Anticlockwise on screen (y down): (dx, dy) becomes (dy, -dx).
    EXPECT_EQ(r.StepX[next], r.StepY[h]);
    EXPECT_EQ(r.StepY[next], -r.StepX[h]);
    h = r.NextHeading[h];
    EXPECT_EQ(h, next);
  }
}

}  // namespace
}  // namespace marvo
