#include "engine/game_record.h"

namespace marvo {

void GameRecord::StoreStartUpValues() {
  NextHeading = kNextHeading;
  StepX = kStepX;
  StepY = kStepY;
  ResetToIdle();
  StopFlag = 1;
  CaptionIndex = 0;
}

void GameRecord::ResetToIdle() {
  StageNo = 1;
  HeadX = kFirstStageStart.x;
  HeadY = kFirstStageStart.y;
  Heading = kFirstStageStart.heading;
  GameRunning = 0;
  StarTaken = 0;
  StarCount = 0;
  HitColor = 0;
  StageBonus = 0;
  TurnsLeft = 0;
  Score = 0;
  DemoPhase = 0;
  LinkLock = 0;
}

}  // namespace marvo
