#include "shell/app.h"

#include <gtest/gtest.h>

#include <tuple>

#include "resources/pictures.h"
#include "tests/support/headless_game.h"

namespace marvo {
namespace {

class AppTest : public ::testing::Test, public testing::HeadlessGame<> {};

TEST_F(AppTest, OnlyEnterOrTheStartCommandStartsAGameAndMusicCommandsMarkOneOfEachPair) {
  dir.Write("marvo.ini", "[MARVOSTEL]\nHISCORE1=1234567\n");
  app.Form_Load();
  player.playing = false;
  EXPECT_EQ(app.form.lblSC.caption, "1234567");  // the best score until a game starts
  EXPECT_EQ(app.form.TitleMask().Picture(), LoadPicture(111));  // the demo's mask waits
  const uint64_t untouched = app.form.picSTAGE.surface.Generation();
  for (int16_t key : {32, 113, 27}) Key(&App::Form_KeyDown, key);  // Space, F2, Escape
  EXPECT_EQ(std::pair(app.form.picSTAGE.surface.Generation(), app.record.GameRunning),
            std::pair(untouched, 0));

  // During the GET READY! pause and during play neither Enter nor the start
  // command starts another game: each returns at once, and the game goes on.
  int tries = 0;
  for (double when : {1.0, 2.2}) {
    platform.After(when, [&, when] {
      const double before = platform.Clock();
      Enter();
      app.MMG_Start_Click();
      EXPECT_EQ(std::tuple(platform.Clock(), app.record.GameRunning, app.record.StopFlag),
                std::tuple(before, 1, when < 2.0 ? 1 : 0));
      ++tries;
    });
  }
  const double start = platform.Clock();
  app.MMG_Start_Click();
  EXPECT_EQ(std::pair(tries, app.record.GameRunning), std::pair(2, 0));  // the game ran out
  // Two seconds of GET READY!, 37 ticks into the block and three seconds of
  // GAME OVER: one game, no second one queued behind it.
  EXPECT_NEAR(platform.Clock() - start, 5.39, 0.05);

  // The music commands move the mark within their pair and choose the track.
  const MainFormModel& f = app.form;
  auto state = [&] {
    return std::tuple(f.MMG_BGMU.checked, f.MMG_BGMN.checked, f.MMG_BGMT1.checked,
                      f.MMG_BGMT2.checked, app.record.BgmTrack);
  };
  app.record.BgmTrack = 7;  // any value the settings file held
  app.MMG_BGMN_Click();
  app.MMG_BGMT2_Click();
  EXPECT_EQ(state(), std::tuple(false, true, false, true, 2));
  app.MMG_BGMU_Click();
  app.MMG_BGMU_Click();  // already marked: stays so
  app.MMG_BGMT1_Click();
  EXPECT_EQ(state(), std::tuple(true, false, true, false, 1));
  // Each choice is saved as it is made.
  EXPECT_EQ(dir.Read("marvo.ini"),
            "[MARVOSTEL]\nHISCORE1=1234567\nBGM=0\nBGM_TYPE=1\nHISCORE2=5000\n"
            "HISCORE3=4000\nHISCORE4=3000\nHISCORE5=2000\n");
}

}  // namespace
}  // namespace marvo
