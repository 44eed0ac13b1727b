// The program may be ended in any state, also deep inside a game: the settings
// are written as they stand then, the unfinished game's score left out.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/support/game_fixture.h"

namespace marvo {
namespace {

enum class State { kTitle, kGetReady, kPlay, kStageClear, kGameOver, kAboutOpen };

class ClosingTest : public testing::GameFixture, public ::testing::WithParamInterface<State> {};

TEST_P(ClosingTest, EndingTheProgramWritesTheSettingsAsTheyStand) {
  desktop.end_for_real = true;
  dir.Write("marvo.ini",
            "; kept\n[Other]\nkey=value\n[MARVOSTEL]\nBGM=0\nBGM_TYPE=2\nHISCORE1=900\n");
  app.Form_Load();  // again, now with the prepared file
  app.MMG_BGMN_Click();
  const State state = GetParam();
  bool played = false, ended = false;
  int16_t cancel = 0;
  const auto end = [&] { app.Form_Unload(cancel); };
  player.playing = state == State::kStageClear;
  player.on_yield = [&] {
    const GameRecord& r = app.record;
    const bool enabled = app.form.picSTAGE.enabled;
    played |= enabled;
    if (ended || !r.GameRunning) return;
    const bool now = (state == State::kGetReady && !played) || (state == State::kPlay && enabled) ||
                     (state == State::kStageClear && played && !enabled && r.StopFlag == 0) ||
                     (state == State::kGameOver && played && r.StopFlag == 1);
    if (now) ended = true, end();
  };
  try {
    if (state == State::kTitle) end();
    if (state == State::kAboutOpen) app.MMH_About_Click(), end();
    Enter();
    FAIL() << "the program did not end";
  } catch (const testing::RecordingDesktop::ProcessEnded&) {
  }
  // The score of the game in progress (1000 and more on a cleared stage) never
  // reaches the hall of fame; the music switch and track are as chosen.
  EXPECT_EQ(dir.Read("marvo.ini"),
            "; kept\n[Other]\nkey=value\n[MARVOSTEL]\nBGM=1\nBGM_TYPE=2\nHISCORE1=900\n"
            "HISCORE2=5000\nHISCORE3=4000\nHISCORE4=3000\nHISCORE5=2000\n");
  EXPECT_EQ(mixer.active, false);  // the sound closed before the end
}

INSTANTIATE_TEST_SUITE_P(EveryState, ClosingTest,
                         ::testing::Values(State::kTitle, State::kGetReady, State::kPlay,
                                           State::kStageClear, State::kGameOver,
                                           State::kAboutOpen));

using SaveFailureTest = testing::GameFixture;

// A save that fails at the end says so, with the file and the reason.
TEST_F(SaveFailureTest, EndingWithoutASaveSaysWhichFileAndWhy) {
  // A full disk in a child process, so the limit ends with it; what it says
  // comes down a pipe, which no file size limit holds back.
  int said[2];
  ASSERT_EQ(::pipe(said), 0);
  int16_t cancel = 0;
  const auto end = [&] { return ::dup2(said[1], STDERR_FILENO), app.Form_Unload(cancel), true; };
  ASSERT_EQ(testing::RunWithFileSizeLimit(0, end), 1);
  ::close(said[1]);
  char text[256] = {};
  ASSERT_GT(::read(said[0], text, sizeof text - 1), 0);
  ::close(said[0]);
  const std::string name = "settings not saved to " + (dir / "marvo.ini") + ": ";
  EXPECT_EQ(std::string(text), name + "File too large\n");
  std::filesystem::create_directory(dir / "marvo.ini");  // no file the game can rewrite
  ::testing::internal::CaptureStderr();
  app.Form_Unload(cancel);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            name + "not a readable settings file, left as it is\n");
}

}  // namespace
}  // namespace marvo
