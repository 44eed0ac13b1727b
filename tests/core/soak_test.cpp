// A thousand games in a row, played at random: crashes of every kind and, now
// and then, planned clears. The record comes back to idle every time and the
// memory the games use stays flat.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

#include "tests/support/game_fixture.h"

namespace marvo {
namespace {

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

class SoakTest : public testing::GameFixture {};

TEST_F(SoakTest, AThousandGamesInARowEachEndInTheIdleStateAndMemoryStaysFlat) {
  constexpr int kGames = 1000;
  std::map<std::string, int> endings;  // how games ended, by what the head hit
  long memory_after_warm_up = 0;
  for (int game = 1; game <= kGames; ++game) {
    // Games by plan up to some stage and at random from there on, pressing
    // more in some than in others; every fiftieth by plan all the way.
    static constexpr double kChances[] = {0.005, 0.01, 0.02, 0.04, 0.08, 0.16, 0.3};
    const bool planned = game % 50 == 0;
    player.random_press_chance = planned ? 0.0 : kChances[game % 7];
    player.random_from_stage = 1 + game % 10;
    player.random_seed = uint32_t(game);
    player.random_quiet_ticks = 10 * (game % 4);
    // Every eleventh game runs out over one of the four edges on purpose.
    using Edge = testing::Autoplayer::Edge;
    player.aim_at_edge = game % 11 == 0 ? Edge(1 + game / 11 % 4) : Edge::kNone;
    std::string hit;
    bool began = false;
    player.on_yield = [&] {
      const GameRecord& r = app.record;
      began |= app.form.picSTAGE.enabled;
      // The crash is seen in the burst's yields, with the head where it died.
      if (!began || !hit.empty() || r.StopFlag == 0 || !r.GameRunning || r.StageNo > 10) return;
      if (r.HitColor == kBlue)
        hit = "wall";
      else if (r.HeadX < kInsideLeft)
        hit = "left";
      else if (r.HeadX > kInsideRight)
        hit = "right";
      else if (r.HeadY < kInsideTop)
        hit = "top";
      else if (r.HeadY > kInsideBottom)
        hit = "bottom";
    };
    Enter();
    ++endings[hit.empty() ? "all clear" : hit];

    const GameRecord& r = app.record;
    ASSERT_EQ(std::tuple(r.StageNo, r.HeadX, r.HeadY, r.Heading, r.GameRunning, r.StopFlag, r.Score,
                         r.StarCount, r.StarTaken, r.TurnsLeft, r.LinkLock),
              std::tuple(int16_t(1), int16_t(2), int16_t(2), kDownRight, 0, 1, 0, 0, 0, 0, 0))
        << "after game " << game;
    if (game == 100) memory_after_warm_up = ResidentKilobytes();
  }
  for (const auto& [how, count] : endings) std::printf("%s: %d\n", how.c_str(), count);
  for (const char* how : {"wall", "left", "right", "top", "bottom", "all clear"})
    EXPECT_GT(endings[how], 0) << how;
#ifndef __SANITIZE_ADDRESS__
  // (AddressSanitizer holds freed memory back on purpose, and finds leaks itself.)
  EXPECT_LT(ResidentKilobytes() - memory_after_warm_up, 2048) << "memory grew game by game";
#endif
}

}  // namespace
}  // namespace marvo
