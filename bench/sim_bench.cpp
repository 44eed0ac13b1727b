// A whole ten-stage game played by the autoplayer on the virtual clock:
// everything the game does but wait. Prints "BENCH sim.full_game_ms <median>".
// Then the save at a game's end on its own, each one entering a new score
// into the table on disk: "BENCH save.game_end_ms <median>" and
// "BENCH save.game_end_max_ms <max>".
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "shell/settings.h"
#include "tests/support/headless_game.h"

namespace {

double Milliseconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
      .count();
}

// The closing pause's save, each with a score that changes the table, so that
// every one reads, merges and replaces the file under the folder lock.
bool BenchGameEndSave() {
  marvo::support::TempDir dir;
  const marvo::GameFiles files = marvo::LocateGameFiles(dir.path(), {});
  marvo::GameRecord record;
  marvo::MainFormModel form;
  std::vector<double> runs;
  for (int32_t score = 20000; score < 20200; ++score) {
    std::vector<marvo::FinishedGame> pending = {{score, marvo::Speed::k100}};
    std::string reason;
    const auto start = std::chrono::steady_clock::now();
    if (!marvo::SaveSettings(marvo::SaveScope::kHallOfFame, record, form, files, pending, reason))
      return false;
    runs.push_back(Milliseconds(start));
  }
  std::sort(runs.begin(), runs.end());
  std::printf("BENCH save.game_end_ms %.3f\n", runs[runs.size() / 2]);
  std::printf("BENCH save.game_end_max_ms %.3f\n", runs.back());
  return record.HiScore[1] == 20199;
}

}  // namespace

int main() {
  std::vector<double> runs;
  int cleared = 0;
  for (int run = 0; run < 15; ++run) {
    marvo::support::HeadlessGame<> game(/*with_music=*/false);
    game.app.Form_Load();
    const auto start = std::chrono::steady_clock::now();
    game.Enter();
    runs.push_back(Milliseconds(start));
    cleared += game.app.record.HiScore[1] > 100000 ? 1 : 0;
  }
  std::sort(runs.begin(), runs.end());
  std::printf("BENCH sim.full_game_ms %.2f\n", runs[runs.size() / 2]);
  std::printf("BENCH sim.games_cleared %d/%zu\n", cleared, runs.size());
  const bool saved = BenchGameEndSave();
  return cleared == int(runs.size()) && saved ? 0 : 1;
}
