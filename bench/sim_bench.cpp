// A whole ten-stage game played by the autoplayer on the virtual clock:
// everything the game does but wait. Prints "BENCH sim.full_game_ms <median>".
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "shell/app.h"
#include "tests/support/autoplayer.h"
#include "tests/support/fake_text.h"
#include "tests/support/recording_desktop.h"
#include "tests/support/recording_mixer.h"
#include "tests/support/temp_dir.h"
#include "tests/support/virtual_platform.h"

int main() {
  using marvo::App;
  using marvo::RecordingMixer;
  marvo::testing::TempDir dir;
  std::vector<double> runs;
  int cleared = 0;
  for (int run = 0; run < 15; ++run) {
    marvo::testing::VirtualPlatform platform;
    marvo::testing::Autoplayer player(platform);
    marvo::testing::BlockTextRasterizer text;
    marvo::testing::RecordingDesktop desktop;
    RecordingMixer mixer;
    App app(player, text, desktop, mixer, dir.path());
    player.Attach(app.record, app.form.picSTAGE, [&] {
      int16_t space = 32, shift = 0;
      app.picSTAGE_KeyDown(space, shift);
    });
    app.Form_Load();
    const auto start = std::chrono::steady_clock::now();
    int16_t enter = 13, shift = 0;
    app.Form_KeyDown(enter, shift);
    runs.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
    cleared += app.record.HiScore[1] > 100000 ? 1 : 0;
  }
  std::sort(runs.begin(), runs.end());
  std::printf("BENCH sim.full_game_ms %.2f\n", runs[runs.size() / 2]);
  std::printf("BENCH sim.games_cleared %d/%zu\n", cleared, runs.size());
  return cleared == int(runs.size()) ? 0 : 1;
}
