#include "engine/game_record.h"

namespace marvo {

void GameRecord::StoreStartUpValues() {
  // Each turn is a quarter turn anticlockwise on screen: 4 -> 2 -> 1 -> 3 -> 4.
  NextHeading = {0, kDownLeft, kUpLeft, kDownRight, kUpRight};
  StepX = {0, -3, 3, -3, 3};
  StepY = {0, -3, -3, 3, 3};
  ResetToIdle();
  StopFlag = 1;
  CaptionIndex = 0;
}

void GameRecord::ResetToIdle() {
  StageNo = 1;
  HeadX = 2;
  HeadY = 2;
  Heading = kDownRight;
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
