// The title: the strip's rotating captions and the links they open, the views
// and the hall of fame they alternate with, and the read-outs.
#include "shell/title.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "flow/hall_of_fame.h"
#include "flow/status.h"
#include "generated/version.h"
#include "shell/commands.h"
#include "tests/support/golden.h"
#include "tests/support/headless_game.h"

namespace marvo {
namespace {

// The title screen as start-up leaves it, with the demo timer ticking on
// virtual time.
class TitleTest : public support::GameFixture {
 protected:
  // Whether the field shows the title, dimmed under the hall of fame or not,
  // inside the white border.
  void ExpectView(bool dimmed) const {
    const MainFormModel& form = app.form;
    for (const Label* entry : {&form.lblHSCTitle, &form.lblHSC1, &form.lblHSC5})
      EXPECT_EQ(entry->visible, dimmed) << entry->name;
    EXPECT_TRUE(
        support::MatchesPng(form.picSTAGE.surface.Pixels(),
                            dimmed ? "tests/golden/title-dimmed.png" : "tests/golden/title.png"));
  }
  void RunTo(double seconds) { platform.RunUntil(start + seconds + 0.001); }

  const GameRecord& record = app.record;
  const double start = platform.Clock();
};

TEST_F(TitleTest, CaptionsRotateInFivesWhileTheViewsAlternateInTwosAndGoOnAfterAGame) {
  RunTo(9.9);
  EXPECT_EQ(app.form.lblBgmName.caption, std::string("MARVOSTEL Version ") + MARVO_VERSION);
  // Tick by tick: the caption entry, and whether the field is dimmed under the
  // hall of fame.
  const std::pair<int, bool> expected[] = {{1, true}, {2, false}, {3, true}, {4, false},
                                           {5, true}, {1, false}, {2, true}};
  for (int tick = 1; tick <= 7; ++tick) {
    SCOPED_TRACE(tick);
    RunTo(10.0 * tick);
    const auto [entry, dimmed] = expected[tick - 1];
    EXPECT_EQ(std::pair(record.CaptionIndex, record.DemoPhase), std::pair(entry, dimmed ? 1 : 0));
    EXPECT_EQ(app.form.lblBgmName.caption, record.Captions[size_t(entry)]);
    ExpectView(dimmed);
  }

  // A game stops the timer and plays on the field; the title comes back
  // undimmed. The captions go on where they stood, ten seconds after the timer
  // starts again.
  player.playing = false;
  Enter();
  const double back = platform.Clock();
  ExpectView(false);
  platform.RunUntil(back + 9.99);
  EXPECT_EQ(record.CaptionIndex, 2);
  platform.RunUntil(back + 10.01);
  EXPECT_EQ(std::pair(record.CaptionIndex, app.form.lblBgmName.caption),
            std::pair(3, record.Captions[3]));
  ExpectView(true);
}

// The support page and the strip's links open under the hourglass; only a
// browser that fails is reported, in the same words for both. (Which help file
// shows in which language is seen end to end, lang_e2e.sh.)
TEST(LinkStripTest, OpensTheShownEntryOnlyBetweenGamesAfterTheFirstCaption) {
  support::RecordingDesktop desktop;
  GameRecord record;
  record.StoreStartUpValues();
  FillLinkList(record);
  // Each caption reads "Title (address)", the address exactly as opened.
  for (size_t i = 1; i <= kLinkCount; ++i)
    EXPECT_TRUE(record.Captions[i].ends_with(" (" + record.LinkUrls[i] + ")")) << i;

  OpenShownLink(record, desktop);                // the first ten seconds: the version text
  record.CaptionIndex = 3, record.LinkLock = 1;  // a game runs: the strip names the music
  OpenShownLink(record, desktop);
  EXPECT_TRUE(desktop.requests.empty());

  record.LinkLock = 0;
  for (int index : {3, 5}) {
    desktop.browser_works = index == 5, record.CaptionIndex = index;
    OpenShownLink(record, desktop);
  }
  desktop.browser_works = false;
  OpenSupportPage(desktop);
  const std::string failed = "message ブラウザ起動エラー: Ｗｅｂブラウザの起動に失敗しました。";
  EXPECT_EQ(desktop.requests,
            (std::vector<std::string>{
                "hourglass", "open " + record.LinkUrls[3], failed, "default pointer", "hourglass",
                "open https://www.debian.org/", "default pointer", "hourglass",
                "open https://marvostel.example.com/support/", failed, "default pointer"}));
}

TEST(ReadOutFormats, PadToTheirWidthButNeverDropADigit) {
  EXPECT_EQ(std::tuple(FormatScore(12500), FormatScore(1234567), FormatTurns(50), FormatPlain(10),
                       HallOfFameCaption(1, 10000), HallOfFameCaption(5, 1500000)),
            std::tuple("012500", "1234567", "050", "10", "TOP : 010000", "No5 : 1500000"));
}

TEST(EnterHighScore, RanksInOnePassFromTheBottomWithTiesPlacedBelow) {
  using Table = HallOfFame;
  const Table sorted = {0, 10000, 5000, 4000, 3000, 2000};
  const Table rising = {0, 2000, 3000, 4000, 5000, 10000};  // as a settings file may hold it
  const std::tuple<Table, int32_t, Table> cases[] = {
      {sorted, 12000, {0, 12000, 10000, 5000, 4000, 3000}},
      {sorted, 4000, {0, 10000, 5000, 4000, 4000, 3000}},
      // A tie stops the pass below the entry it equals, even over lower ones.
      {{0, 3000, 4000, 1000, 1000, 1000}, 4000, {0, 3000, 4000, 4000, 1000, 1000}},
      {rising, 10000, {0, 10000, 2000, 3000, 4000, 5000}},  // equal to the fifth: enters
      {rising, 6000, rising},
  };
  for (const auto& [table, score, expected] : cases) {
    GameRecord record;
    record.HiScore = table;
    EnterHighScore(record, score);
    EXPECT_EQ(record.HiScore, expected) << score;
  }
}

}  // namespace
}  // namespace marvo
