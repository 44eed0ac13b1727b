#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "flow/status.h"
#include "generated/game_files.h"
#include "resources/pictures.h"
#include "shell/app.h"
#include "shell/replay_store.h"
#include "shell/verify.h"
#include "tests/support/autoplayer.h"
#include "tests/support/fake_text.h"
#include "tests/support/recording_desktop.h"
#include "tests/support/recording_mixer.h"
#include "tests/support/temp_dir.h"
#include "tests/support/virtual_platform.h"
#include "ui/keys.h"

namespace marvo::support {

// The whole game without a window: the app on virtual time with a recording
// mixer and desktop, text drawn by `Text`, and an autoplayer between the game
// and the clock that presses Space on the field. The game's directory holds
// both music tracks unless told otherwise; a second copy of the game may share
// another one's folder. Nothing is loaded yet.
template <class Text = BlockTextRasterizer>
class HeadlessGame {
 public:
  explicit HeadlessGame(bool with_music = true, const std::string& shared_dir = {})
      : player(platform),
        app(player, text, desktop, mixer, shared_dir.empty() ? dir.path() : shared_dir) {
    player.Attach(app.record, app.form.picSTAGE,
                  [this] { Key(&App::picSTAGE_KeyDown, kKeySpace); });
    if (with_music) {
      dir.Write(kWaveTrack1Music, "");
      dir.Write(kWaveTrack2Music, "");
    }
  }

  // A key as the window delivers it to a handler.
  void Key(void (App::*handler)(int16_t&, int16_t&), int16_t code, int16_t shift = 0) {
    (app.*handler)(code, shift);
  }
  void Enter() { Key(&App::Form_KeyDown, kKeyEnter); }
  // A whole game that ends by a crash with `score`; `closing` watches its
  // closing pause.
  void PlayGameScoring(int32_t score, const std::function<void()>& closing = {}) {
    player.playing = false;
    player.on_yield = [this, score, closing, set = false]() mutable {
      if (app.form.picSTAGE.enabled && !set) set = true, app.record.Score = score;
      if (app.record.StopFlag == 1 && set && app.record.GameRunning == 1 && closing) closing();
    };
    Enter();
    player.on_yield = nullptr;
  }

  TempDir dir;
  VirtualPlatform platform;
  Autoplayer player;
  Text text;
  RecordingDesktop desktop;
  RecordingMixer mixer;
  App app;
};

// The whole game headless, loaded as at start-up, with the title timer running
// on virtual time.
class GameFixture : public testing::Test, public HeadlessGame<> {
 protected:
  GameFixture() {
    platform.AddTimer(app.form.DemoTimer, [this] { app.DemoTimer_Timer(); });
    app.Form_Load();
  }

  Color FieldAt(int x, int y) const { return app.form.picSTAGE.surface.GetPixel(x, y); }

  // The field, score and stars in the last moment before the title comes back.
  using End = std::tuple<std::vector<Color>, int32_t, int32_t>;
  // Runs `game` to its end; the test's own watcher (on_yield) still runs.
  End Ended(const std::function<void()>& game) {
    const std::function<void()> watch = player.on_yield;
    End end;
    uint64_t copied = UINT64_MAX;  // the field's drawing count when last copied
    player.on_yield = [&] {
      if (watch) watch();
      const GameRecord& r = app.record;
      const Surface& field = app.form.picSTAGE.surface;
      if (r.GameRunning == 0 || r.StopFlag == 0) return;
      if (std::exchange(copied, field.Generation()) != field.Generation())
        std::get<0>(end) = field.Pixels().pixels;
      std::get<1>(end) = r.Score;
      std::get<2>(end) = r.StarCount;
    };
    game();
    player.on_yield = watch;
    return end;
  }
  // The game just played, watched again from the file it was kept in, ends the
  // same and enters no score; the file stays as it was. Re-run without a
  // window the run is the same; in a game that scores after its middle turn,
  // the check finds that turn moved by a tick.
  void ExpectTheSameWatchedAgain(const End& played, bool scored_later = false) {
    const std::string file = dir.Read("replays/last.mvr");
    const ReplayRead read = DecodeReplay(file);
    ASSERT_TRUE(read.run) << read.reason;
    EXPECT_EQ(read.run->final_score, std::get<1>(played));
    EXPECT_TRUE(app.form.MMG_Watch.enabled);
    const auto hall = app.record.HiScore;
    const bool playing = std::exchange(player.playing, false);
    player.on_yield = nullptr;
    EXPECT_EQ(Ended([&] { app.WatchRun(*read.run); }), played);
    player.playing = playing;
    EXPECT_EQ(std::pair(app.record.HiScore, file), std::pair(hall, dir.Read("replays/last.mvr")));
    EXPECT_EQ(ReplayHeadless(*read.run, text), *read.run);
    marvo::Run moved = *read.run;
    if (scored_later) moved.turns.at(moved.turns.size() / 2).tick += 1;
    std::FILE* null = std::fopen("/dev/null", "w");
    EXPECT_EQ(std::pair(VerifyRun(moved, text, null, null), VerifyRun(*read.run, text, null, null)),
              std::pair(scored_later ? 1 : 0, 0));
    std::fclose(null);
  }
  // The title state as start-up leaves it and every game must leave it.
  void ExpectTitleState() {
    const GameRecord& r = app.record;
    const MainFormModel& f = app.form;
    EXPECT_EQ(
        std::tuple(r.StageNo, r.HeadX, r.HeadY, r.Heading, r.GameRunning, r.StopFlag, r.Score,
                   r.StarCount, r.StarTaken, r.HitColor, r.TurnsLeft, r.StageBonus, r.LinkLock,
                   r.DemoPhase),
        std::tuple(int16_t(1), int16_t(2), int16_t(2), int16_t(4), 0, 1, 0, 0, 0, 0u, 0, 0, 0, 0));
    EXPECT_EQ(f.picSTAGE.surface.Picture(), LoadPicture(kPictureTitle));
    EXPECT_EQ(std::tuple(f.lblSC.caption, f.lblNumber.caption, f.lblBN.caption),
              std::tuple(FormatScore(r.HiScore[1]), std::string(), std::string()));
    EXPECT_TRUE(f.MMG_Start.enabled && f.MM_Setting.enabled && f.DemoTimer.enabled);
    EXPECT_FALSE(f.picSTAGE.enabled || f.lblMsg.visible || f.lblbonus1.visible ||
                 f.lblbonus2.visible || f.lblHSC1.visible);
    // The hall of fame shows the table as the game left it, its score entered.
    const Label* panel[] = {&f.lblHSC1, &f.lblHSC2, &f.lblHSC3, &f.lblHSC4, &f.lblHSC5};
    for (int i = 1; i <= kHallOfFamePlaces; ++i)
      EXPECT_EQ(panel[i - 1]->caption, HallOfFameCaption(i, r.HiScore[size_t(i)])) << i;
  }
};

}  // namespace marvo::support
