// Runs kept and played again: the file, what is kept where, and watching.
#include <gtest/gtest.h>

#include <tuple>

#include "shell/replay_store.h"
#include "tests/support/headless_game.h"

namespace marvo {
namespace {

// A file as the game writes it, with `body` in place of everything up to the
// check sum.
std::string Resealed(std::string body) {
  const uint32_t crc = Crc32(body);
  for (int i = 0; i < 4; ++i) body.push_back(char(crc >> (8 * i)));
  return body;
}

TEST(ReplayFile, ReadsBackWhatItWroteAndRefusesAnythingElseWithItsReason) {
  const marvo::Run run{Speed::k75, {7, 0xFFFFFFFF}, {{0, 32}, {40, 32}, {40, 32}}, {2600}, 2600};
  const std::string bytes = EncodeReplay(run, "9.8.7");
  const ReplayRead read = DecodeReplay(bytes);
  ASSERT_TRUE(read.run) << read.reason;
  EXPECT_EQ(std::tie(*read.run, read.game_version), std::tie(run, "9.8.7"));

  const std::string body = bytes.substr(0, bytes.size() - 4);
  const auto with = [](std::string s, size_t at, int c) {  // one byte changed
    s[at] = char(c);
    return s;
  };
  const std::pair<std::string, std::string> refused[] = {
      {"", "too short"},
      {bytes.substr(0, 12), "too short"},
      {with(bytes, 0, 'X'), "wrong magic"},
      {Resealed(with(body, 4, 2)), "newer"},
      {with(bytes, 30, bytes[30] ^ 1), "check sum"},
      {Resealed(body.substr(0, body.size() - 1)), "too short"},
      {Resealed(body + "x"), "too long"},
      {bytes + std::string(4000, '\0'), "too long"},
      {Resealed(with(body, 12, 0x21)), "unknown speed"},
      {Resealed(with(body, 34, 0)), "out of order"},  // the third turn's tick, before the second's
  };
  for (const auto& [file, reason] : refused) {
    const ReplayRead bad = DecodeReplay(file);
    EXPECT_FALSE(bad.run) << reason;
    EXPECT_NE(bad.reason.find(reason), std::string::npos) << bad.reason;
    EXPECT_EQ(bad.reason.find('\n'), std::string::npos);
  }
}

TEST(ReplayStore, LastIsAlwaysReplacedAndEachSpeedsBestOnlyByAHigherScore) {
  support::TempDir dir;
  const std::string folder = dir / "new/replays";
  const auto keep = [&](Speed speed, uint32_t seed, int32_t score) {
    std::string reason;
    EXPECT_TRUE(KeepRun(folder, marvo::Run{speed, {seed}, {}, {}, score}, reason)) << reason;
  };
  const auto seed_in = [&](const std::string& name) {
    const ReplayRead read = LoadReplay(folder + "/" + name);
    return read.run ? int(read.run->seeds.at(0)) : -1;
  };
  keep(Speed::k100, 1, 500);
  keep(Speed::k100, 2, 500);  // a tie keeps the older
  keep(Speed::k75, 3, 100);
  keep(Speed::k100, 4, 400);
  EXPECT_EQ(std::tuple(seed_in("last.mvr"), seed_in("best.mvr"), seed_in("best-75.mvr")),
            std::tuple(4, 1, 3));
  keep(Speed::k50, 5, 0);
  keep(Speed::k100, 6, 501);
  EXPECT_EQ(std::tuple(seed_in("best.mvr"), seed_in("best-50.mvr")), std::tuple(6, 5));
}

class ReplayTest : public support::GameFixture {};

// A stop key ends a run being watched at once and does nothing else. Shown
// between games, the best run plays after a minute idle, until any key.
TEST_F(ReplayTest, AStopKeyEndsWatchingAtOnceAndTheBestRunShowsAfterAMinuteIdle) {
  Enter();  // the run to watch, and the best to show
  const ReplayRead read = DecodeReplay(dir.Read("replays/last.mvr"));
  ASSERT_TRUE(read.run);
  player.playing = false;
  for (int16_t key : {kKeyEnter, kKeyEscape, kKeySpace, kKeyF2}) {
    SCOPED_TRACE(key);
    const double start = platform.Clock();
    bool marked = false;
    platform.After(6.0, [&] {
      marked = app.form.replay_mark;
      Key(key == kKeySpace ? &App::picSTAGE_KeyDown : &App::Form_KeyDown, key);
    });
    app.WatchRun(*read.run);
    EXPECT_TRUE(marked);
    EXPECT_LT(platform.Clock() - start, 6.5);
    EXPECT_EQ(std::tuple(app.record.GameRunning, app.form.replay_mark, app.form.MMG_Start.enabled),
              std::tuple(0, false, true));
  }

  double shown_at = 0, last_shown = 0;
  player.on_yield = [&] {
    if (!app.form.replay_mark) return;
    if (shown_at == 0) shown_at = platform.Clock();
    last_shown = platform.Clock();
  };
  const double idle = platform.Clock();
  platform.RunUntil(idle + 70);
  EXPECT_EQ(shown_at, 0) << "shown while switched off";
  app.MMS_BestRun_Click();
  // A key (one the game has no use for) 30 s in puts the minute off.
  platform.After(30, [&] { Key(&App::Form_KeyDown, 0); });
  platform.After(110, [&] { Key(&App::Form_KeyDown, 0); });
  platform.RunUntil(idle + 190);
  EXPECT_NEAR(shown_at - idle, 70 + 30 + 60, 10.5);
  EXPECT_NEAR(last_shown - idle, 180, 0.1);
  // Any key stops it; the title ticks on.
  EXPECT_EQ(std::tuple(app.record.GameRunning, app.form.replay_mark, app.form.DemoTimer.enabled),
            std::tuple(0, false, true));
}

}  // namespace
}  // namespace marvo
