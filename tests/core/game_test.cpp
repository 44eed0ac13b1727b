// Whole games on virtual time, from the start command to the title again.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

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

}  // namespace
}  // namespace marvo
