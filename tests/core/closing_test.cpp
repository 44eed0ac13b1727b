// The program may be ended in any state, also deep inside a game: the settings
// are written as they stand then, the unfinished game's score left out.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/game_fixture.h"

namespace marvo {
namespace {

// Closing at the title, with the About window open, or between two stages,
// where the cleared stage's score (1000 and more) must not reach the hall of
// fame. (The end-to-end scripts close the real game in the other states.)
enum class State { kTitle, kStageClear, kAboutOpen };

class ClosingTest : public testing::GameFixture, public ::testing::WithParamInterface<State> {};

TEST_P(ClosingTest, EndingTheProgramWritesTheSettingsAsTheyStand) {
  desktop.end_for_real = true;
  dir.Write("marvo.ini",
            "; kept\n[Other]\nkey=value\n[MARVOSTEL]\nBGM=0\nBGM_TYPE=2\nHISCORE1=900\n");
  app.Form_Load();  // again, now with the prepared file
  app.MMG_BGMN_Click();
  int16_t cancel = 0;
  bool played = false;
  player.on_yield = [&] {
    played |= app.form.picSTAGE.enabled;
    if (played && !app.form.picSTAGE.enabled && app.record.StopFlag == 0) app.Form_Unload(cancel);
  };
  try {
    if (GetParam() == State::kAboutOpen) app.MMH_About_Click();
    if (GetParam() != State::kStageClear) app.Form_Unload(cancel);
    Enter();
    FAIL() << "the program did not end";
  } catch (const testing::RecordingDesktop::ProcessEnded&) {
  }
  // The music switch and track are as chosen.
  EXPECT_EQ(dir.Read("marvo.ini"),
            "; kept\n[Other]\nkey=value\n[MARVOSTEL]\nBGM=1\nBGM_TYPE=2\nHISCORE1=900\n"
            "HISCORE2=5000\nHISCORE3=4000\nHISCORE4=3000\nHISCORE5=2000\n");
  EXPECT_EQ(mixer.active, false);  // the sound closed before the end
}

INSTANTIATE_TEST_SUITE_P(EveryState, ClosingTest,
                         ::testing::Values(State::kTitle, State::kStageClear, State::kAboutOpen));

TEST_F(ClosingTest, EndingWithoutASaveSaysWhichFileAndWhy) {
  std::filesystem::create_directory(dir / "marvo.ini");  // no file the game can rewrite
  ::testing::internal::CaptureStderr();
  int16_t cancel = 0;
  app.Form_Unload(cancel);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "settings not saved to " + (dir / "marvo.ini") +
                ": not a readable settings file (a folder, not a file), left as it is\n");
}

}  // namespace
}  // namespace marvo
