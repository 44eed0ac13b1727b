// Whole games on virtual time, from the start command to the title again.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "engine/field.h"
#include "flow/status.h"
#include "resources/pictures.h"
#include "tests/support/game_fixture.h"

namespace marvo {
namespace {

using Cues = std::vector<std::string>;

class GameTest : public testing::GameFixture {
 protected:
  // The title state as start-up leaves it and every game must leave it.
  void ExpectTitleState() {
    const GameRecord& r = app.record;
    EXPECT_EQ(std::tuple(r.StageNo, r.HeadX, r.HeadY, r.Heading, r.GameRunning, r.StopFlag),
              std::tuple(int16_t(1), int16_t(2), int16_t(2), int16_t(4), 0, 1));
    EXPECT_EQ(std::tuple(r.Score, r.StarCount, r.StarTaken, r.HitColor, r.TurnsLeft, r.StageBonus,
                         r.LinkLock, r.DemoPhase),
              std::tuple(0, 0, 0, 0u, 0, 0, 0, 0));
    const MainFormModel& f = app.form;
    EXPECT_EQ(f.picSTAGE.surface.Picture(), LoadPicture(110));
    EXPECT_EQ(FieldAt(2, 2), kWhite);
    EXPECT_EQ(FieldAt(443, 340), kWhite);
    EXPECT_EQ(std::tuple(f.lblSC.caption, f.lblNumber.caption, f.lblBN.caption),
              std::tuple(FormatScore(r.HiScore[1]), std::string(), std::string()));
    EXPECT_TRUE(f.MMG_Start.enabled && f.MM_Setting.enabled && f.DemoTimer.enabled);
    EXPECT_FALSE(f.picSTAGE.enabled);
  }
};

TEST_F(GameTest, APerfectGameClearsAllTenStagesWithEveryStarAndEndsInTheTitle) {
  app.record.HiScore = {0, 10000, 5000, 4000, 3000, 2000};
  double all_clear_shown = -1, all_clear_hidden = -1, title_back = -1;
  int32_t score_before_bonus = 0, score_with_bonus = 0;
  std::string stage_shown, turns_shown;
  player.on_yield = [&] {
    const MainFormModel& f = app.form;
    if (f.lblMsg.visible && all_clear_shown < 0) {
      all_clear_shown = platform.Clock();
      score_with_bonus = app.record.Score;
      EXPECT_TRUE(f.lblbonus1.visible && f.lblbonus2.visible);
      stage_shown = f.lblNumber.caption;
      turns_shown = f.lblBN.caption;
      EXPECT_EQ(f.lblSC.caption, FormatScore(app.record.Score));
    } else if (!f.lblMsg.visible && all_clear_shown >= 0 && all_clear_hidden < 0) {
      all_clear_hidden = platform.Clock();
      // The empty field with GAME OVER one pixel right of every other banner.
      Surface expected(kFieldWidth, kFieldHeight);
      DrawFieldBorder(expected);
      BitBlt(expected, 40, 100, kBannerWidth, kBannerHeight, f.picCG3.surface, 0, 0,
             RasterOp::kSrcAnd);
      BitBlt(expected, 40, 100, kBannerWidth, kBannerHeight, f.picCG2.surface, 0, 0,
             RasterOp::kSrcPaint);
      EXPECT_EQ(f.picSTAGE.surface.Pixels().pixels, expected.Pixels().pixels);
    } else if (all_clear_shown < 0) {
      score_before_bonus = app.record.Score;
    }
    if (app.record.GameRunning == 0 && all_clear_shown >= 0 && title_back < 0)
      title_back = platform.Clock();
  };
  Enter();
  ASSERT_EQ(player.plans.size(), 10u);
  for (const testing::StagePlan& plan : player.plans) EXPECT_TRUE(plan.solved);
  EXPECT_EQ(score_with_bonus - score_before_bonus, 150000);
  EXPECT_EQ(std::pair(stage_shown, turns_shown), std::pair(std::string("ALL"), std::string()));
  EXPECT_NEAR(all_clear_hidden - all_clear_shown, 5.0, 0.02);
  EXPECT_NEAR(title_back - all_clear_hidden, 3.0, 0.02);
  // The final score, bonus included, tops the hall of fame and the read-out.
  EXPECT_EQ(app.record.HiScore[1], score_with_bonus);
  EXPECT_EQ(app.record.HiScore[2], 10000);
  EXPECT_EQ(app.form.lblHSC1.caption, HallOfFameCaption(1, score_with_bonus));
  EXPECT_FALSE(app.form.lblHSC1.visible);  // until the title timer shows the panel
  EXPECT_FALSE(app.form.lblMsg.visible || app.form.lblbonus1.visible || app.form.lblbonus2.visible);
  ExpectTitleState();
  // Track 1 loops through the game, a star cue for each star, then the music
  // stops and the closing jingle plays once.
  Cues expected = {"play bgm1.wav forever"};
  for (int star = 0; star < 7; ++star) expected.push_back("play p1.wav once");
  expected.insert(expected.end(), {"stop 0", "play bgm2.wav once"});
  EXPECT_EQ(mixer.cues, expected);
}

TEST_F(GameTest, SixStarsEarnTheAllClearBonusWithoutThePerfectLine) {
  player.leave_star_on = {8};
  int32_t before = 0, after = 0;
  bool perfect_line = false;
  player.on_yield = [&] {
    if (!app.form.lblMsg.visible && after == 0) before = app.record.Score;
    if (app.form.lblMsg.visible && after == 0) after = app.record.Score;
    perfect_line |= app.form.lblbonus2.visible;
  };
  app.MMG_BGMN_Click();  // music off: no music, no jingle, the same timings
  Enter();
  EXPECT_EQ(after - before, 100000);
  EXPECT_FALSE(perfect_line);
  EXPECT_EQ(app.record.HiScore[1], after);
  Cues expected(6, "play p1.wav once");
  expected.push_back("stop 0");
  EXPECT_EQ(mixer.cues, expected);
}

// Every deadly hit ends the game the same way: crash cue, burst, the score in
// the hall of fame, GAME OVER for three seconds, then the title.
TEST_F(GameTest, EachKindOfDeadlyHitEndsInTheTitleWithTheScoreEntered) {
  struct Crash {
    const char* what;
    int16_t x, y, heading;  // where the head is put once play begins
    int crash_x, crash_y;   // where it dies
  };
  // Stage 1's lattice (2 + 3k): the border column 443 and row 2 are landed on,
  // the border row 340 is jumped and the head dies outside the field at 344.
  const Crash crashes[] = {
      {"blue block, no turn at all", 2, 2, kDownRight, 113, 113},
      {"left border", 14, 200, kDownLeft, 2, 212},
      {"top border", 200, 14, kUpRight, 212, 2},
      {"right border", 431, 200, kDownRight, 443, 212},
      {"below the field, the invalid colour", 200, 332, kDownRight, 212, 344},
  };
  player.playing = false;
  app.record.HiScore = {0, 100000, 90000, 80000, 70000, 0};
  int32_t score = 2500;
  for (const Crash& c : crashes) {
    SCOPED_TRACE(c.what);
    mixer.cues.clear();
    bool placed = false, burst_seen = false;
    double crashed_at = -1, title_at = -1;
    player.on_yield = [&] {
      GameRecord& r = app.record;
      if (app.form.picSTAGE.enabled && !placed) {
        placed = true;
        r.HeadX = c.x, r.HeadY = c.y, r.Heading = c.heading, r.Score = score;
      }
      if (r.StopFlag == 1 && placed && crashed_at < 0) {
        crashed_at = platform.Clock();
        EXPECT_EQ(std::pair(int(r.HeadX), int(r.HeadY)), std::pair(c.crash_x, c.crash_y));
      }
      // The outer ring of the burst round the crash point, on the field's side.
      const bool above = c.crash_y >= 25;
      const int ring_x = above ? c.crash_x : c.crash_x + (c.crash_x > 223 ? -25 : 25);
      burst_seen |=
          crashed_at >= 0 && FieldAt(ring_x, above ? c.crash_y - 25 : c.crash_y) == kWhite;
      if (crashed_at >= 0 && r.GameRunning == 0 && title_at < 0) title_at = platform.Clock();
    };
    Enter();
    EXPECT_TRUE(burst_seen);
    EXPECT_NEAR(title_at - crashed_at, 3.0, 0.02);
    EXPECT_EQ(app.record.HiScore[5], score);  // a crash adds nothing
    EXPECT_EQ(mixer.cues,
              (Cues{"play bgm1.wav forever", "play e1.wav once", "stop 0", "play bgm2.wav once"}));
    ExpectTitleState();
    score += 500;
  }
}

// The cues follow the music switch and the track, each read at its moment.
TEST_F(GameTest, MusicCuesFollowTheSwitchAndTheTrack) {
  player.playing = false;  // stage 1 straight into the block
  const std::tuple<bool, int32_t, Cues, std::string> cases[] = {
      {true,
       1,
       {"play bgm1.wav forever", "play e1.wav once", "stop 0", "play bgm2.wav once"},
       "BGM : TIDAL ARCADE ( Composed By Kiro Vantel with SOUNDLOOM )"},
      {true,
       5,
       {"play bgm3.wav forever", "play e1.wav once", "stop 2", "play bgm4.wav once"},
       "BGM : UNDERTOW ( Composed By Kiro Vantel with SOUNDLOOM )"},
      {false, 2, {"play e1.wav once", "stop 2"}, "MARVOSTEL Version 1.0.5"},
  };
  for (const auto& [music, track, cues, caption] : cases) {
    mixer.cues.clear();
    if (music)
      app.MMG_BGMU_Click();
    else
      app.MMG_BGMN_Click();
    app.record.BgmTrack = track;
    std::string shown;
    player.on_yield = [&] {
      if (app.form.picSTAGE.enabled) shown = app.form.lblBgmName.caption;
    };
    Enter();
    EXPECT_EQ(mixer.cues, cues) << track;
    EXPECT_EQ(shown, caption) << track;
  }
}

// Everything a game changes is put back, so the next starts the same way.
TEST_F(GameTest, TwoGamesInARowStartAlike) {
  player.playing = false;
  using Snapshot = std::tuple<std::vector<int32_t>, std::vector<std::string>, std::vector<bool>>;
  std::vector<Snapshot> starts;
  bool playing = false;
  player.on_yield = [&] {
    const GameRecord& r = app.record;
    const MainFormModel& f = app.form;
    const bool begins = f.picSTAGE.enabled && !playing;  // the first yield of play
    playing = f.picSTAGE.enabled;
    if (!begins) return;
    starts.push_back(
        {{r.StageNo, r.HeadX, r.HeadY, r.Heading, r.TurnsLeft, r.StageBonus, r.StarTaken,
          r.StarCount, int32_t(r.HitColor), r.Score, r.StopFlag, r.GameRunning, r.LinkLock,
          r.DemoPhase},
         {f.lblSC.caption, f.lblNumber.caption, f.lblBN.caption},
         {f.MMG_Start.enabled, f.MM_Setting.enabled, f.DemoTimer.enabled, f.lblHSC1.visible}});
  };
  app.record.HiScore = {0, 10000, 5000, 4000, 3000, 0};
  Enter();
  ExpectTitleState();
  Enter();
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(starts[0], starts[1]);
}

// A start handled in the very last yield of an ending game's loop runs a whole
// new game; twenty of them in a row must not pile up on the stack.
TEST_F(GameTest, AStartInTheLastYieldOfAnEndingGameRunsTheNextWithoutNesting) {
  player.playing = false;
  constexpr int kGames = 20;
  int games = 0;
  bool ended = false;
  std::vector<long> depth;  // of the stack at the first yield of each game's play
  const char* base = nullptr;
  bool playing = false;
  player.on_yield = [&] {
    const char here = 0;
    const GameRecord& r = app.record;
    const bool begins = app.form.picSTAGE.enabled && !playing;
    playing = app.form.picSTAGE.enabled;
    if (begins) {
      ++games;
      depth.push_back(long(base - &here));
    }
    if (r.StopFlag == 1 && games > 0) ended = true;
    if (ended && r.GameRunning == 0 && games < kGames) {
      ended = false;
      Enter();  // the title is back, the loop not yet returned
      EXPECT_EQ(r.GameRunning, 1);
      EXPECT_FALSE(app.form.MMG_Start.enabled || app.form.DemoTimer.enabled);
    }
  };
  const char top = 0;
  base = &top;
  Enter();
  EXPECT_EQ(games, kGames);
  ASSERT_EQ(depth.size(), size_t(kGames));
  EXPECT_EQ(depth.front(), depth.back()) << "each game in a row took more stack";
  ExpectTitleState();
  RecordProperty("stack_bytes_under_a_game", std::to_string(depth.front()));
  RecordProperty("stack_bytes_added_per_game_in_a_row",
                 std::to_string((depth.back() - depth.front()) / (kGames - 1)));
}

}  // namespace
}  // namespace marvo
