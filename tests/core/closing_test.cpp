// The program may be ended in any state, also deep inside a game: the settings
// are written as they stand then, the unfinished game's score left out.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <string>
#include <tuple>

#include "shell/profile.h"

#include "tests/support/headless_game.h"

namespace marvo {
namespace {

// Closing at the title, with the About window open, or between two stages,
// where the cleared stage's score (1000 and more) must not reach the hall of
// fame. (The end-to-end scripts close the real game in the other states.)
enum class State { kTitle, kStageClear, kAboutOpen };

class ClosingTest : public support::GameFixture, public testing::WithParamInterface<State> {};

TEST_P(ClosingTest, EndingTheProgramWritesTheSettingsAsTheyStand) {
  desktop.end_for_real = true;
  dir.Write("marvo.ini",
            "; kept\n[Other]\nkey=value\n[MARVOSTEL]\nBGM=0\nBGM_TYPE=2\nHISCORE1=900\n");
  app.Form_Load();  // again, now with the prepared file
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
  } catch (const support::RecordingDesktop::ProcessEnded&) {
  }
  // Nothing saved the file before: the exit writes the seven keys as they stand.
  EXPECT_EQ(dir.Read("marvo.ini"),
            "; kept\n[Other]\nkey=value\n[MARVOSTEL]\nBGM=0\nBGM_TYPE=2\nHISCORE1=900\n"
            "HISCORE2=5000\nHISCORE3=4000\nHISCORE4=3000\nHISCORE5=2000\n");
  EXPECT_EQ(mixer.active, false);  // the sound closed before the end
}

INSTANTIATE_TEST_SUITE_P(EveryState, ClosingTest,
                         testing::Values(State::kTitle, State::kStageClear, State::kAboutOpen));

// Two copies of the game on one settings file, each finishing a game: every
// save merges with the file as it is, so neither loses the other's score,
// whichever copy ends first. Each game's score is in the file from its closing
// pause on, before any exit, and a copy shows the other's once it has saved.
TEST_F(ClosingTest, TwoCopiesEachKeepTheOthersScoreWhicheverEndsFirst) {
  for (bool first_ends_first : {true, false}) {
    SCOPED_TRACE(first_ends_first);
    dir.Write("marvo.ini", "[MARVOSTEL]\nBGM=1\n");
    app.Form_Load();
    support::HeadlessGame<> other(true, dir.path());
    other.app.Form_Load();
    PlayGameScoring(7000);
    EXPECT_EQ(Profile::Parse(dir.Read("marvo.ini")).Get("MARVOSTEL", "HISCORE2", ""), "7000");
    other.PlayGameScoring(6000);
    EXPECT_EQ(other.app.form.lblHSC2.caption, "No2 : 007000");
    int16_t cancel = 0;
    (first_ends_first ? app : other.app).Form_Unload(cancel);
    (first_ends_first ? other.app : app).Form_Unload(cancel);
    EXPECT_EQ(dir.Read("marvo.ini"),
              "[MARVOSTEL]\nBGM=1\nBGM_TYPE=1\nHISCORE1=10000\nHISCORE2=7000\nHISCORE3=6000\n"
              "HISCORE4=5000\nHISCORE5=4000\n");
  }
}

// A failed save at a game's end says so on stderr and on the strip; the score
// waits and the next save (here the exit's, after a second failed game-end
// save) enters it once. A score made at 75 % reaches that speed's table alone.
TEST_F(ClosingTest, AFailedSaveIsRetriedAndEachScoreReachesItsOwnSpeedsTableOnce) {
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, SIG_IGN);
  rlimit full_disk{200, saved.rlim_max};  // every write of the file fails, as on a full disk
  const std::string comment = "; " + std::string(300, '-') + "\n";
  dir.Write("marvo.ini", comment);
  ::setrlimit(RLIMIT_FSIZE, &full_disk);
  std::string strip;
  testing::internal::CaptureStderr();
  PlayGameScoring(4500, [&] { strip = app.form.lblBgmName.caption; });
  EXPECT_EQ(app.form.lblHSC3.caption, "No3 : 004500");  // shown all the same
  app.record.speed = Speed::k75;
  PlayGameScoring(3500);
  app.record.speed = Speed::k100;
  const std::string said = testing::internal::GetCapturedStderr();
  ::setrlimit(RLIMIT_FSIZE, &saved);
  const std::string failed = "settings not saved to " + (dir / "marvo.ini") + ": File too large\n";
  EXPECT_EQ(strip, "HALL OF FAME NOT SAVED : File too large");
  EXPECT_EQ(said, failed + failed);
  app.ShowChosenTable();
  EXPECT_EQ(std::tuple(app.form.lblSC.caption, app.form.lblHSC3.caption),
            std::tuple("010000", "No3 : 004500"));
  int16_t cancel = 0;
  app.Form_Unload(cancel);
  EXPECT_EQ(dir.Read("marvo.ini"),
            comment +
                "\n[MARVOSTEL]\nBGM=0\nBGM_TYPE=1\nHISCORE1=10000\nHISCORE2=5000\nHISCORE3=4500\n"
                "HISCORE4=4000\nHISCORE5=3000\n\n[Speed75]\nHISCORE1=10000\nHISCORE2=5000\n"
                "HISCORE3=4000\nHISCORE4=3500\nHISCORE5=3000\n");
}

}  // namespace
}  // namespace marvo
