#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/geometry.h"
#include "engine/speed.h"
#include "ui/color.h"

namespace marvo {

// A hall of fame: its places, 1 = best, by index; index 0 is never used.
inline constexpr int kHallOfFamePlaces = 5;
using HallOfFame = std::array<int32_t, kHallOfFamePlaces + 1>;

// The links the title strip shows in turn, counted from 1 like the places.
inline constexpr int kLinkCount = 5;

// The one set of program-wide game variables. Every part of the game reads and
// writes it directly, on the window's thread. Widths are those the game's
// rules rely on: 16-bit for the head and stage, 32-bit for everything else;
// flags hold 0 or 1. Tables are indexed from 1, as the game counts them;
// index 0 is never used.
struct GameRecord {
  // The head and the stage.
  int16_t HeadX = 0;
  int16_t HeadY = 0;
  int16_t StageNo = 0;
  int16_t Heading = 0;
  int32_t TurnsLeft = 0;
  int32_t StageBonus = 0;
  int32_t StarTaken = 0;
  int32_t StarCount = 0;
  Color HitColor = 0;  // colour read under the head at the last tick
  int32_t Score = 0;

  // Run flags.
  int32_t StopFlag = 0;
  int32_t GameRunning = 0;
  int32_t LinkLock = 0;
  int32_t DemoPhase = 0;
  int32_t CaptionIndex = 0;
  int32_t BgmTrack = 0;
  // The speed chosen in the Settings menu; changed only between games.
  Speed speed = Speed::k100;

  // Sound slots, as loading the wave files numbered them.
  int32_t WaveBgm1 = 0;
  int32_t WaveBgm2 = 0;
  int32_t WaveBgm3 = 0;
  int32_t WaveBgm4 = 0;
  int32_t WaveCrash = 0;
  int32_t WaveStar = 0;

  // The hall of fame of each speed, 1 = best: HiScore for 100 %, the others
  // for the slower speeds, whose scores never meet the full-speed table.
  HallOfFame HiScore{};
  HallOfFame HiScore75{};
  HallOfFame HiScore50{};
  std::array<int16_t, 5> StepX{};
  std::array<int16_t, 5> StepY{};
  std::array<int16_t, 5> NextHeading{};
  std::array<std::string, kLinkCount + 1> Captions;
  std::array<std::string, kLinkCount + 1> LinkUrls;

  // The table of `of`'s scores.
  HallOfFame& Table(Speed of) {
    return of == Speed::k75 ? HiScore75 : of == Speed::k50 ? HiScore50 : HiScore;
  }
  const HallOfFame& Table(Speed of) const { return const_cast<GameRecord*>(this)->Table(of); }

  // The values start-up stores: the direction tables and the idle values, with
  // the loop stopped and the link rotation not yet begun.
  void StoreStartUpValues();
  // The idle values every game starts from (the closing step of every game).
  // StopFlag stays as it is (1 after any game); CaptionIndex is never reset.
  void ResetToIdle();
};

}  // namespace marvo
