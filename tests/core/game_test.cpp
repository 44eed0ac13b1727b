// Whole games on virtual time, from the start command to the title again.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "generated/version.h"
#include "tests/support/golden.h"
#include "tests/support/headless_game.h"
#include "tests/support/moments.h"
#include "ui/bonuses.h"
#include "ui/tracks.h"

namespace marvo {
namespace {

using Cues = std::vector<std::string>;

class GameTest : public support::GameFixture {};

// All ten stages with every star, or with one left: the all-clear bonus, the
// perfect line only for seven stars, five seconds of music over ALL CLEAR!,
// then GAME OVER (one pixel right of every other banner) with the jingle for
// three seconds. The first game stays the best run kept.
TEST_F(GameTest, AllTenStagesClearedWithOrWithoutEveryStarEndInTheTitle) {
  std::string best;
  for (bool every_star : {true, false}) {
    SCOPED_TRACE(every_star);
    dir.Write("marvo.ini", "");  // the table a game's end finds: the defaults
    player.leave_star_on = every_star ? std::set<int>{} : std::set<int>{8};
    mixer.cues.clear();
    support::Moments m(app, platform, mixer);
    int32_t before_bonus = 0, with_bonus = 0;
    player.on_yield = [&] {
      m.Look();
      if (m.At("all clear") < 0) before_bonus = app.record.Score;
      if (m.At("all clear") >= 0 && with_bonus == 0) with_bonus = app.record.Score;
    };
    const End played = Ended([&] { Enter(); });
    Image game_over(kFieldWidth, kFieldHeight);  // GAME OVER alone over the last stage
    game_over.pixels = std::get<0>(played);
    EXPECT_TRUE(support::MatchesPng(game_over, "tests/golden/game-over.png"));
    EXPECT_EQ(with_bonus - before_bonus, every_star ? kAllStarsBonus : kAllClearBonus);
    EXPECT_EQ(std::pair(m.Count("perfect"), m.Count("stage 2")), std::pair(every_star ? 1 : 0, 1));
    const double all_clear = m.At("all clear");
    EXPECT_NEAR(m.At("all clear gone") - all_clear, 5.0, 0.02);
    EXPECT_NEAR(m.At("stop 0") - all_clear, 5.0, 0.02);  // the music plays on meanwhile
    EXPECT_NEAR(m.At("play bgm2.wav once") - all_clear, 5.0, 0.02);
    EXPECT_NEAR(m.At("title") - all_clear, 8.0, 0.02);
    // The final score, bonus included, tops the hall of fame.
    EXPECT_EQ(std::pair(app.record.HiScore[1], app.record.HiScore[2]),
              std::pair(with_bonus, 10000));
    ExpectTitleState();
    Cues expected = {"play bgm1.wav forever"};
    for (int star = every_star ? 0 : 1; star < 7; ++star) expected.push_back("play p1.wav once");
    expected.insert(expected.end(), {"stop 0", "play bgm2.wav once"});
    EXPECT_EQ(mixer.cues, expected);
    if (every_star) best = dir.Read("replays/last.mvr");
    EXPECT_EQ(dir.Read("replays/best.mvr"), best);
    ExpectTheSameWatchedAgain(played, true);
  }
}

// Every deadly hit ends the game the same way: crash cue, burst, GAME OVER
// for three seconds with the jingle, then the title. The cues follow the music
// switch and the track, each read at its moment. Watched again, each game ends
// the same.
TEST_F(GameTest, EachKindOfDeadlyHitEndsInTheTitleAndWatchedAgainTheSame) {
  using Edge = support::Autoplayer::Edge;
  const Cues kTrack1 = {"play bgm1.wav forever", "play e1.wav once", "stop 0",
                        "play bgm2.wav once"};
  const Cues kTrack2 = {"play bgm3.wav forever", "play e1.wav once", "stop 2",
                        "play bgm4.wav once"};
  const Cues kQuiet = {"play e1.wav once", "stop 2"};
  // Dying on the first stage's blue block with no turn at all, or by plan on
  // the left and the top border, and outside the field below it, where the
  // colour read is invalid: each with the music switch and track, the cues
  // heard and the strip's caption during play.
  const std::tuple<Edge, bool, int32_t, const Cues&, std::string> crashes[] = {
      {Edge::kNone, true, 1, kTrack1, TrackCredit(1)},
      {Edge::kLeft, true, 5, kTrack2, TrackCredit(2)},
      {Edge::kTop, false, 2, kQuiet, "MARVOSTEL Version " MARVO_VERSION},
      {Edge::kBottom, true, 1, kTrack1, TrackCredit(1)},
  };
  for (const auto& [edge, music, track, cues, caption] : crashes) {
    SCOPED_TRACE(int(edge));
    mixer.cues.clear();
    music ? app.MMG_BGMU_Click() : app.MMG_BGMN_Click();
    app.record.BgmTrack = track;
    player.playing = edge != Edge::kNone;
    player.aim_at_edge = edge;
    support::Moments m(app, platform, mixer);
    bool burst = false;
    std::string shown;
    player.on_yield = [&] {
      m.Look();
      const GameRecord& r = app.record;
      if (app.form.picSTAGE.enabled && shown.empty()) shown = app.form.lblBgmName.caption;
      if (m.At("stopped") >= 0 && m.At("title") < 0 && !burst)
        burst = FieldAt(r.HeadX, r.HeadY + (r.HeadY > 171 ? -25 : 25)) == kWhite;
    };
    const End played = Ended([&] { Enter(); });
    EXPECT_TRUE(burst);
    const double crash = m.At("stopped");
    EXPECT_NEAR(m.At("play e1.wav once"), crash, 0.01);
    EXPECT_NEAR(m.At("banner", 2), crash, 0.01);  // GET READY!, then GAME OVER
    EXPECT_NEAR(m.At(cues.back()), crash, 0.01);  // the jingle over GAME OVER, or the stop
    EXPECT_NEAR(m.At("title") - crash, 3.0, 0.02);
    EXPECT_EQ(std::tie(mixer.cues, shown), std::tie(cues, caption));
    EXPECT_EQ(app.record.BgmTrack, track);  // the settings outlast the game
    ExpectTitleState();
    ExpectTheSameWatchedAgain(played);
  }
}

// A start handled in the very last yield of an ending game's loop runs a whole
// new game; twenty of them in a row must not pile up on the stack.
TEST_F(GameTest, AStartInTheLastYieldOfAnEndingGameRunsTheNextWithoutNesting) {
  player.playing = false;
  constexpr int kGames = 20;
  bool ended = false, playing = false;
  std::vector<long> depth;  // of the stack at the first yield of each game's play
  const char top = 0, *base = &top;
  player.on_yield = [&] {
    const char here = 0;
    const GameRecord& r = app.record;
    if (app.form.picSTAGE.enabled && !playing) depth.push_back(long(base - &here));
    playing = app.form.picSTAGE.enabled;
    if (r.StopFlag == 1 && !depth.empty()) ended = true;
    if (ended && r.GameRunning == 0 && depth.size() < kGames) {
      ended = false;
      Enter();  // the title is back, the loop not yet returned
      EXPECT_EQ(r.GameRunning, 1);
      EXPECT_FALSE(app.form.MMG_Start.enabled || app.form.DemoTimer.enabled);
    }
  };
  Enter();
  ASSERT_EQ(depth.size(), size_t(kGames));
  EXPECT_EQ(depth.front(), depth.back()) << "each game in a row took more stack";
  ExpectTitleState();
}

// A pause in GET READY!, in play, in STAGE CLEAR! or in the closing GAME OVER
// (or a stop of the process) stops the head, every timed wait and the sound;
// turns are ignored. Afterwards the game goes on tick for tick as a game
// without it, each change exactly as much later as it lasted: none caught up.
TEST_F(GameTest, APauseStopsEverythingAndTheGameGoesOnAsIfNoTimeHadPassed) {
  player.random_from_stage = 2;  // stage 1 by plan, then at random into a wall
  player.random_press_chance = 0.1;
  // Every run within one binary order of magnitude of the clock, so that a
  // pause of whole seconds shifts each reading exactly.
  platform.RunUntil(1100);
  constexpr double kPause = 4.0;
  support::Moments m(app, platform, mixer);  // of the first run, with no pause
  // The head, stage, turns, score, field (its drawing count), flags and sounds.
  using State =
      std::tuple<int16_t, int16_t, int16_t, int32_t, int32_t, bool, int32_t, uint64_t, Cues>;
  const auto run = [&](double pause_at, std::function<void()> key) {
    platform.FixSeed(41);
    player.random_seed = 5;
    mixer.cues.clear();
    const double start = platform.Clock();
    const uint64_t drawn = app.form.picSTAGE.surface.Generation();
    std::vector<std::pair<State, double>> looks;  // each change, and when
    player.on_yield = [&] {
      m.Look();
      const GameRecord& r = app.record;
      Cues cues = mixer.cues;
      std::erase(cues, "pause"), std::erase(cues, "resume");
      State now{r.HeadX,    r.HeadY,
                r.StageNo,  r.TurnsLeft,
                r.Score,    app.form.picSTAGE.enabled,
                r.StopFlag, app.form.picSTAGE.surface.Generation() - drawn,
                cues};
      if (looks.empty() || looks.back().first != now)
        looks.emplace_back(now, platform.Clock() - start);
    };
    if (pause_at > 0 && !key) platform.StallAt(start + pause_at, kPause);
    if (key) {
      platform.At(start + pause_at, [&, key] {
        key();
        EXPECT_TRUE(app.Paused() && app.form.pause_shown);
      });
      platform.At(start + pause_at + kPause / 2, [&] { Key(&App::picSTAGE_KeyDown, kKeySpace); });
      platform.At(start + pause_at + kPause, [&, key] {
        EXPECT_LT(looks.back().second, pause_at + 1e-6) << "something moved while paused";
        EXPECT_EQ(mixer.cues.back(), "pause");
        key();
        EXPECT_FALSE(app.Paused() || app.form.pause_shown);
      });
    }
    Enter();
    for (auto& [state, t] : looks)
      if (pause_at > 0 && t > pause_at) t -= kPause;
    EXPECT_EQ(std::count(mixer.cues.begin(), mixer.cues.end(), "resume"), key != nullptr);
    return looks;
  };
  const auto unpaused = run(0, nullptr);
  const double cleared = m.At("stage 2"), crash = m.At("stopped");
  ASSERT_TRUE(cleared > 4 && crash > cleared + 2) << cleared << " " << crash;
  const std::pair<double, std::function<void()>> pauses[] = {
      {1.0, [&] { Key(&App::Form_KeyDown, kKeyEscape); }},            // GET READY!: Escape
      {2.5, [&] { Key(&App::picSTAGE_KeyDown, kKeyPause); }},         // play: the Pause key
      {cleared - 1.0, [&] { app.MMG_Pause_Click(); }},                // STAGE CLEAR!: the menu
      {crash + 1.5, [&] { Key(&App::Form_KeyDown, kKeyPadStart); }},  // GAME OVER: a pad's Start
      {1.05, nullptr},  // the process stopped (SIGSTOP) in GET READY!
      {2.5, nullptr},   // and in play
  };
  for (const auto& [at, key] : pauses) {
    SCOPED_TRACE(at);
    const auto paused = run(at, key);
    ASSERT_EQ(paused.size(), unpaused.size());
    for (size_t i = 0; i < paused.size(); ++i) {
      ASSERT_EQ(paused[i].first, unpaused[i].first) << i;
      // A stop is seen as the wait it fell in ends: a tick, or a tenth of a second.
      ASSERT_NEAR(paused[i].second, unpaused[i].second, key ? 1e-6 : 0.1) << i;
    }
  }
}

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

class SoakTest : public support::GameFixture {};

// A thousand games in a row, most played at random into crashes, some cleared:
// the record comes back to idle every time and the memory stays flat. Every
// twentieth game is watched again.

TEST_F(SoakTest, AThousandGamesInARowEachEndInTheIdleStateAndMemoryStaysFlat) {
#ifdef __SANITIZE_ADDRESS__
  // Every access checked, ten times slower: two hundred games show each kind of
  // game and ending. Freed memory is held back on purpose: its growth is unseen.
  constexpr bool kSanitised = true;
#else
  constexpr bool kSanitised = false;
#endif
  long memory_after_warm_up = 0;
  for (int game = 1; game <= (kSanitised ? 200 : 1000); ++game) {
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
  if (!kSanitised) {
    EXPECT_LT(ResidentKilobytes() - memory_after_warm_up, 2048) << "memory grew game by game";
  }
}

}  // namespace
}  // namespace marvo
