// A whole ten-stage game played by the autoplayer with the real text
// rasteriser, kept as the game keeps it, then checked as --verify checks it:
//   BENCH replay.file_bytes     the size of the kept run
//   BENCH replay.verify_ms      the re-run and its check, median of 15
//   BENCH replay.command_ms     `marvostel --verify FILE` as a whole, median of 5
//                               (with the game binary as the first argument)
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "qt/qt_text.h"
#include "shell/replay_store.h"
#include "shell/verify.h"
#include "tests/support/headless_game.h"

namespace {

template <class Work>
double MedianMs(int times, Work work) {
  std::vector<double> runs;
  for (int i = 0; i < times; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    runs.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::sort(runs.begin(), runs.end());
  return runs[runs.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  marvo::RegisterFontSubstitutions();
  marvo::support::HeadlessGame<marvo::QtTextRasterizer> game(/*with_music=*/false);
  game.app.Form_Load();
  game.Enter();
  const std::string file = game.dir / "replays/last.mvr";
  const marvo::ReplayRead read = marvo::LoadReplay(file);
  if (!read.run || read.run->stage_scores.size() != 10) {
    std::fprintf(stderr, "verify_bench: no ten-stage run kept (%s)\n", read.reason.c_str());
    return 1;
  }
  std::printf("BENCH replay.file_bytes %zu\n", game.dir.Read("replays/last.mvr").size());
  std::FILE* null = std::fopen("/dev/null", "w");
  int verdict = 0;
  const double ms =
      MedianMs(15, [&] { verdict |= marvo::VerifyRun(*read.run, game.text, null, null); });
  std::fclose(null);
  std::printf("BENCH replay.verify_ms %.2f\n", ms);
  if (argc > 1) {
    const std::string command = std::string(argv[1]) + " --verify " + file + " >/dev/null";
    const double whole = MedianMs(5, [&] { verdict |= std::system(command.c_str()); });
    std::printf("BENCH replay.command_ms %.1f\n", whole);
  }
  return verdict == 0 ? 0 : 1;
}
