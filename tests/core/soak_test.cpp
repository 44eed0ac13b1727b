// A thousand games in a row, most played at random into crashes, some cleared:
// the record comes back to idle every time and the memory stays flat. Every
// twentieth game is watched again.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/support/headless_game.h"

namespace marvo {
namespace {

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

class SoakTest : public support::GameFixture {};

TEST_F(SoakTest, AThousandGamesInARowEachEndInTheIdleStateAndMemoryStaysFlat) {
  // Unread in the sanitised build, which cannot measure it (see below).
  [[maybe_unused]] long memory_after_warm_up = 0;
  for (int game = 1; game <= 1000; ++game) {
    // Games by plan up to some stage and at random from there on, pressing
    // more in some than in others; every fiftieth by plan all the way, every
    // eleventh running out over one of the four edges on purpose.
    static constexpr double kChances[] = {0.005, 0.01, 0.02, 0.04, 0.08, 0.16, 0.3};
    player.random_press_chance = game % 50 == 0 ? 0.0 : kChances[game % 7];
    player.random_from_stage = 1 + game % 10;
    player.random_seed = uint32_t(game);
    player.random_quiet_ticks = 10 * (game % 4);
    using Edge = support::Autoplayer::Edge;
    player.aim_at_edge = game % 11 == 0 ? Edge(1 + game / 11 % 4) : Edge::kNone;
    const End played = Ended([&] { Enter(); });
    ExpectTitleState();
    if (game % 20 == 0) ExpectTheSameWatchedAgain(played);
    ASSERT_FALSE(HasFailure()) << "after game " << game;
    if (game == 100) memory_after_warm_up = ResidentKilobytes();
  }
#ifndef __SANITIZE_ADDRESS__
  // (AddressSanitizer holds freed memory back on purpose, and finds leaks itself.)
  EXPECT_LT(ResidentKilobytes() - memory_after_warm_up, 2048) << "memory grew game by game";
#endif
}

}  // namespace
}  // namespace marvo
