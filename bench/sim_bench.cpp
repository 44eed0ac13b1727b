// A whole ten-stage game played by the autoplayer on the virtual clock:
// everything the game does but wait. Prints "BENCH sim.full_game_ms <median>".
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "tests/support/headless_game.h"

int main() {
  std::vector<double> runs;
  int cleared = 0;
  for (int run = 0; run < 15; ++run) {
    marvo::testing::HeadlessGame<> game(/*with_music=*/false);
    game.app.Form_Load();
    const auto start = std::chrono::steady_clock::now();
    game.Enter();
    runs.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
    cleared += game.app.record.HiScore[1] > 100000 ? 1 : 0;
  }
  std::sort(runs.begin(), runs.end());
  std::printf("BENCH sim.full_game_ms %.2f\n", runs[runs.size() / 2]);
  std::printf("BENCH sim.games_cleared %d/%zu\n", cleared, runs.size());
  return cleared == int(runs.size()) ? 0 : 1;
}
