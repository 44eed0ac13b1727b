#include "shell/commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/recording_desktop.h"

namespace marvo {
namespace {

// The support page and the strip's links open under the hourglass; only a
// browser that fails is reported, in the same words for both. The help file
// is the one beside the game.
TEST(LinkStripTest, OpensTheShownEntryOnlyBetweenGamesAfterTheFirstCaption) {
  testing::RecordingDesktop desktop;
  GameRecord record;
  record.StoreStartUpValues();
  FillLinkList(record);
  // Each caption reads "Title (address)", the address exactly as opened.
  for (size_t i = 1; i <= 5; ++i)
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
  ShowHelpFile(desktop, GameFiles{"/opt/marvostel", "/usr/share/games/marvostel", "", "", ""});
  const std::string failed = "message ブラウザ起動エラー: Ｗｅｂブラウザの起動に失敗しました。";
  EXPECT_EQ(desktop.requests,
            (std::vector<std::string>{"hourglass", "open " + record.LinkUrls[3], failed,
                                      "default pointer", "hourglass",
                                      "open https://www.debian.org/", "default pointer",
                                      "hourglass", "open https://marvostel.example.com/support/",
                                      failed, "default pointer", "help /opt/marvostel/marvo.hlp"}));
}

}  // namespace
}  // namespace marvo
