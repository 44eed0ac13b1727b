#include "shell/app.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "generated/game_files.h"
#include "resources/pictures.h"
#include "tests/support/headless_game.h"

namespace marvo {
namespace {

class AppTest : public testing::Test, public support::HeadlessGame<> {};

TEST_F(AppTest, OnlyEnterOrTheStartCommandStartsAGameAndMusicCommandsMarkOneOfEachPair) {
  dir.Write("marvo.ini", "[MARVOSTEL]\nHISCORE1=1234567\n");
  app.Form_Load();
  player.playing = false;
  EXPECT_EQ(app.form.lblSC.caption, "1234567");  // the best score until a game starts
  EXPECT_EQ(app.form.TitleMask().Picture(),
            LoadPicture(kPictureTitleMask));  // the demo's mask waits
  const uint64_t untouched = app.form.picSTAGE.surface.Generation();
  for (int16_t key : {kKeySpace, kKeyF2, kKeyEscape}) Key(&App::Form_KeyDown, key);
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
  // At 50 % the same 37 ticks take twice the time, the banners none longer.
  platform.SetQuantum(1e-7);
  std::vector<double> ticks;
  for (int percent : {100, 50}) {
    app.MMP_Speed_Click(percent);
    const double begun = platform.Clock();
    app.MMG_Start_Click();
    ticks.push_back(platform.Clock() - begun - 5.0);
  }
  EXPECT_NEAR(ticks[1], 2 * ticks[0], 0.001);
  EXPECT_NEAR(ticks[0], 0.37, 0.01);
  EXPECT_EQ(app.form.speed_note, "SPEED 50%");
}

// One-button start makes Space start a game at the title; the held-key guard
// drops the keyboard's repeats, so a held key turns once; a held pause key
// never pauses and resumes over and over. Options change only between games.
// The screensaver is held off while a game is in play and not paused.
TEST_F(AppTest, OneButtonStartAndTheHeldKeyGuardChangeOnlyWhatTheySay) {
  app.Form_Load();
  player.playing = false;
  const auto games = [&] {
    return std::count(mixer.cues.begin(), mixer.cues.end(), "play bgm1.wav forever");
  };
  Key(&App::Form_KeyDown, kKeySpace);
  Key(&App::Form_KeyRepeat, kKeyEnter);  // without the guard a repeat is a press
  app.MMS_OneButton_Click();
  Key(&App::Form_KeyDown, kKeySpace);
  EXPECT_EQ(games(), 2);
  std::vector<int32_t> seen;  // turns left, or whether paused, after each key
  const auto keys_in_play = [&] {
    for (auto [handler, key] : {std::pair(&App::picSTAGE_KeyRepeat, kKeySpace),
                                {&App::picSTAGE_KeyDown, kKeySpace},
                                {&App::picSTAGE_KeyRepeat, kKeyPause},
                                {&App::Form_KeyDown, 0},
                                {&App::picSTAGE_KeyDown, kKeyPause}}) {
      key == 0 ? app.Form_Deactivate() : Key(handler, int16_t(key));  // focus lost
      seen.push_back(key == kKeySpace ? app.record.TurnsLeft : app.Paused());
    }
    app.MMS_HeldOnce_Click();
    app.MMP_Speed_Click(50);
    if (app.Paused()) Key(&App::Form_KeyDown, kKeyPadStart);  // a pad's Start resumes
  };
  platform.After(2.2, keys_in_play);
  desktop.requests.clear();
  Key(&App::Form_KeyDown, kKeySpace);
  EXPECT_EQ(seen, (std::vector<int32_t>{49, 48, 0, 0, 1}));
  EXPECT_EQ(desktop.requests, (std::vector<std::string>{"hold screensaver", "free screensaver",
                                                        "hold screensaver", "free screensaver"}));
  EXPECT_EQ(std::pair(app.options.held_key_turns_once, app.record.speed),
            std::pair(false, Speed::k100));
  app.MMS_HeldOnce_Click();
  app.MMS_FocusPause_Click();
  seen.clear();
  platform.After(2.2, keys_in_play);
  Key(&App::Form_KeyDown, kKeySpace);
  EXPECT_EQ(seen, (std::vector<int32_t>{50, 49, 0, 1, 0}));
  EXPECT_EQ(games(), 4);
}

}  // namespace
}  // namespace marvo
