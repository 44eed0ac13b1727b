// The title and what its menus open: the strip's captions and links, the views
// and the hall of fame, the read-outs, the About window, the menus' language.
#include "shell/title.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "flow/hall_of_fame.h"
#include "flow/status.h"
#include "generated/version.h"
#include "shell/about.h"
#include "shell/commands.h"
#include "shell/language.h"
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
// browser that fails is reported, in the same words for both. (The help file
// each language shows is lang_e2e.sh's.)
class LinkStripTest : public support::GameFixture {};

TEST_F(LinkStripTest, OpensTheShownEntryOnlyBetweenGamesAfterTheFirstCaption) {
  GameRecord& record = app.record;
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
  const HallOfFame sorted = {0, 10000, 5000, 4000, 3000, 2000};
  const HallOfFame rising = {0, 2000, 3000, 4000, 5000, 10000};  // as a settings file may hold it
  const std::tuple<HallOfFame, int32_t, HallOfFame> cases[] = {
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

class AboutTest : public support::GameFixture {
 protected:
  void ClickEmblem() {
    int16_t button = 1, shift = 0;
    float x = 5, y = 5;
    desktop.about_events->imgEmblem_MouseUp(button, shift, x, y);
  }
  int Top() const { return desktop.about_model->picScroll2.rect.y; }

  AboutWindowSlot slot{desktop, app.form};
};

TEST_F(AboutTest, TheRollClimbs304PixelsOnceThenStopsAndOkHandsBackTheMainWindow) {
  int ticks = 0;
  slot.Open();
  AboutBox* first = slot.Current();
  slot.Open();  // the menu cannot be reached while it is open; if it were, no second box
  EXPECT_EQ(slot.Current(), first);
  EXPECT_FALSE(app.form.enabled);
  // The window's timer ticks on virtual time, as the desktop would tick it.
  platform.AddTimer(first->form.ScrollTimer, [&] { ++ticks, first->ScrollTimer_Timer(); });
  platform.RunUntil(platform.Clock() + 1.0);  // nothing moves until the emblem is clicked
  EXPECT_EQ(std::pair(ticks, Top()), std::pair(0, 0));

  // 64 moves a second, so the roll can be read: 304 moves in 4.75 s.
  ClickEmblem();
  const double clicked = platform.Clock();
  platform.RunUntil(clicked + 1.0005);
  ClickEmblem();  // a second click changes nothing
  EXPECT_EQ(Top(), -64);
  platform.RunUntil(clicked + 4.7495);
  EXPECT_EQ(Top(), -303);
  platform.RunUntil(clicked + 10.0);
  // 304 moves, and the tick after the last one stops the timer for good.
  EXPECT_EQ(std::pair(ticks, Top()), std::pair(305, -304));
  EXPECT_FALSE(first->form.ScrollTimer.enabled);
  ClickEmblem();  // after the roll: no restart
  platform.RunUntil(platform.Clock() + 1.0);
  EXPECT_EQ(std::pair(ticks, Top()), std::pair(305, -304));

  // OK: the main window back, the About window gone; the model lives on until
  // the next opening, so OK's own handler returns into a live object.
  desktop.about_events->cmdOK_Click();
  EXPECT_TRUE(app.form.enabled);
  EXPECT_FALSE(slot.IsOpen());
  EXPECT_EQ(slot.Current(), first);
  first->cmdOK_Click();  // a click queued behind the first closes nothing twice

  // A slot going away takes its open window with it.
  { AboutWindowSlot(desktop, app.form).Open(); }
  EXPECT_EQ(desktop.requests, (std::vector<std::string>{"show about", "show about", "close about",
                                                        "show about", "close about"}));
  EXPECT_EQ(desktop.about_model, nullptr);
}

TEST(MenuLanguageTest, TheMessagesLocaleAndLanguageDecideAsQtReadsThem) {
  constexpr auto ja = MenuLanguage::kJapanese, en = MenuLanguage::kEnglish;
  const struct {
    LocaleVariables locale;  // LC_ALL, LC_MESSAGES, LANG, LANGUAGE
    MenuLanguage expected;
  } cases[] = {
      {{"", "", "", ""}, ja},              // nothing set: as the tests run
      {{"", "", "C.UTF-8", "en_US"}, ja},  // a plain locale ignores LANGUAGE
      {{"", "", "POSIX", ""}, ja},
      {{"", "", "ja_JP.UTF-8", ""}, ja},
      {{"", "", "jv_ID", ""}, en},                              // only "ja" is Japanese
      {{"en_GB.UTF-8", "ja_JP.UTF-8", "ja_JP.UTF-8", ""}, en},  // LC_ALL first
      {{"", "ja_JP.eucJP", "en_US.UTF-8", ""}, ja},             // then LC_MESSAGES
      {{"", "", "en_US.UTF-8", "ja:en"}, ja},                   // the first preference of LANGUAGE
      {{"", "", "ja_JP.UTF-8", "::fr_FR:ja"}, en},
      {{"", "", "ja_JP.UTF-8", ":"}, ja},  // an empty list names no one
  };
  for (const auto& [l, expected] : cases)
    EXPECT_EQ(ChooseMenuLanguage(l), expected)
        << l.lc_all << "|" << l.lc_messages << "|" << l.lang << "|" << l.language;
}

}  // namespace
}  // namespace marvo
