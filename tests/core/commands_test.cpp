#include "shell/commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/recording_desktop.h"

namespace marvo {
namespace {

using Requests = std::vector<std::string>;

TEST(LinkListTest, EachCaptionIsATitleAndTheAddressItOpens) {
  GameRecord record;
  FillLinkList(record);
  EXPECT_EQ(record.Captions[1], "MARVOSTEL Official (https://marvostel.example.com/)");
  EXPECT_TRUE(record.Captions[0].empty() && record.LinkUrls[0].empty());
  for (size_t i = 1; i <= 5; ++i) {
    SCOPED_TRACE(i);
    const std::string& caption = record.Captions[i];
    const std::string& url = record.LinkUrls[i];
    // "Title (address)": one blank, the address exactly as opened.
    ASSERT_TRUE(url.starts_with("https://")) << url;
    ASSERT_TRUE(caption.ends_with(" (" + url + ")")) << caption;
    EXPECT_GT(caption.size(), url.size() + 3);
    for (size_t j = 1; j < i; ++j) EXPECT_NE(record.LinkUrls[j], url);
  }
  // The support page belongs to the game's own site.
  EXPECT_TRUE(std::string(kSupportPageUrl).starts_with(record.LinkUrls[1]));
}

TEST(SupportPageTest, AFailedBrowserIsReportedUnderTheHourglassAndOnlyThen) {
  testing::RecordingDesktop desktop;
  OpenSupportPage(desktop);
  EXPECT_EQ(desktop.requests, (Requests{"hourglass", "open https://marvostel.example.com/support/",
                                        "default pointer"}));

  desktop.requests.clear();
  desktop.browser_works = false;
  OpenSupportPage(desktop);
  EXPECT_EQ(desktop.requests,
            (Requests{"hourglass", "open https://marvostel.example.com/support/",
                      "message ブラウザ起動エラー: Ｗｅｂブラウザの起動に失敗しました。",
                      "default pointer"}));
}

TEST(LinkStripTest, OpensTheShownEntryOnlyBetweenGamesAfterTheFirstCaption) {
  testing::RecordingDesktop desktop;
  GameRecord record;
  record.StoreStartUpValues();
  FillLinkList(record);

  OpenShownLink(record, desktop);  // the first ten seconds: the version text
  EXPECT_TRUE(desktop.requests.empty());

  record.CaptionIndex = 3;
  record.LinkLock = 1;  // a game runs: the strip names the music
  OpenShownLink(record, desktop);
  EXPECT_TRUE(desktop.requests.empty());

  // After the game the same entry opens; a failing browser goes unremarked.
  record.LinkLock = 0;
  desktop.browser_works = false;
  OpenShownLink(record, desktop);
  EXPECT_EQ(desktop.requests,
            (Requests{"hourglass", "open " + record.LinkUrls[3], "default pointer"}));
  desktop.requests.clear();
  record.CaptionIndex = 5;
  OpenShownLink(record, desktop);
  EXPECT_EQ(desktop.requests[1], "open https://www.debian.org/");
}

TEST(HelpCommandTest, AsksForTheHelpFileBesideTheGame) {
  testing::RecordingDesktop desktop;
  ShowHelpFile(desktop, "/opt/marvostel");
  EXPECT_EQ(desktop.requests, Requests{"help /opt/marvostel/marvo.hlp"});
}

}  // namespace
}  // namespace marvo
