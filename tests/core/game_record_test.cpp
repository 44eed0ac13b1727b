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

TEST(GameRecord, IdleResetRestoresEveryGameVariableButKeepsTheRotation) {
  GameRecord r;
  r.StoreStartUpValues();
  EXPECT_EQ(r.StopFlag, 1);
  EXPECT_EQ(r.HeadX, 2);
  EXPECT_EQ(r.Heading, kDownRight);

  r.HeadX = 300, r.HeadY = 120, r.Heading = 1, r.StageNo = 7, r.Score = 98765;
  r.StarCount = 4, r.StarTaken = 1, r.HitColor = kBlue, r.TurnsLeft = 3, r.StageBonus = 4000;
  r.GameRunning = r.LinkLock = r.DemoPhase = 1;
  r.CaptionIndex = 3;
  r.BgmTrack = 2;
  r.ResetToIdle();
  GameRecord fresh;
  fresh.StoreStartUpValues();
  fresh.CaptionIndex = 3;  // the link rotation carries on across games
  fresh.BgmTrack = 2;      // so do the settings
  EXPECT_EQ(r.HeadX, fresh.HeadX);
  EXPECT_EQ(r.HeadY, fresh.HeadY);
  EXPECT_EQ(r.Heading, fresh.Heading);
  EXPECT_EQ(r.StageNo, fresh.StageNo);
  EXPECT_EQ(r.Score, 0);
  EXPECT_EQ(r.StarCount | r.StarTaken | r.TurnsLeft | r.StageBonus | int32_t(r.HitColor), 0);
  EXPECT_EQ(r.GameRunning | r.LinkLock | r.DemoPhase, 0);
  EXPECT_EQ(r.CaptionIndex, 3);
  EXPECT_EQ(r.BgmTrack, 2);
}

}  // namespace
}  // namespace marvo
