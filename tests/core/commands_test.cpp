#include "shell/commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/recording_desktop.h"

namespace marvo {
namespace {

using Requests = std::vector<std::string>;

TEST(SupportPageTest, AFailedBrowserIsReportedUnderTheHourglassAndOnlyThen) {
  for (bool works : {true, false}) {
    testing::RecordingDesktop desktop;
    desktop.browser_works = works;
    OpenSupportPage(desktop);
    Requests expected{"hourglass", "open https://marvostel.example.com/support/",
                      "message ブラウザ起動エラー: Ｗｅｂブラウザの起動に失敗しました。",
                      "default pointer"};
    if (works) expected.erase(expected.begin() + 2);
    EXPECT_EQ(desktop.requests, expected);
  }
}

TEST(LinkStripTest, OpensTheShownEntryOnlyBetweenGamesAfterTheFirstCaption) {
  testing::RecordingDesktop desktop;
  GameRecord record;
  record.StoreStartUpValues();
  FillLinkList(record);
  // Each caption reads "Title (address)", the address exactly as opened.
  for (size_t i = 1; i <= 5; ++i) {
    EXPECT_TRUE(record.Captions[i].ends_with(" (" + record.LinkUrls[i] + ")")) << i;
    EXPECT_GT(record.Captions[i].size(), record.LinkUrls[i].size() + 3) << i;
  }
  EXPECT_EQ(record.Captions[1], "MARVOSTEL Official (https://marvostel.example.com/)");

  OpenShownLink(record, desktop);  // the first ten seconds: the version text
  record.CaptionIndex = 3;
  record.LinkLock = 1;  // a game runs: the strip names the music
  OpenShownLink(record, desktop);
  EXPECT_TRUE(desktop.requests.empty());

  // After the game the shown entry opens; a browser that fails is reported
  // in the support page's words, one that works is not.
  record.LinkLock = 0;
  for (int index : {3, 5}) {
    desktop.browser_works = index == 5;
    record.CaptionIndex = index;
    OpenShownLink(record, desktop);
  }
  EXPECT_EQ(desktop.requests,
            (Requests{"hourglass", "open " + record.LinkUrls[3],
                      "message ブラウザ起動エラー: Ｗｅｂブラウザの起動に失敗しました。",
                      "default pointer", "hourglass", "open https://www.debian.org/",
                      "default pointer"}));
}

TEST(HelpCommandTest, AsksForTheHelpFileBesideTheGame) {
  testing::RecordingDesktop desktop;
  ShowHelpFile(desktop, GameFiles{"/opt/marvostel", "/usr/share/games/marvostel", "", ""});
  EXPECT_EQ(desktop.requests, Requests{"help /opt/marvostel/marvo.hlp"});
}

}  // namespace
}  // namespace marvo
