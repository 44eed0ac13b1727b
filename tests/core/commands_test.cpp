#include "shell/commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/recording_desktop.h"
#include "tests/support/temp_dir.h"

namespace marvo {
namespace {

// The support page and the strip's links open under the hourglass; only a
// browser that fails is reported, in the same words for both. The help is
// the menus' language's wherever it lies, else the other language's.
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
  support::TempDir dir;
  std::filesystem::create_directory(dir / "data");
  dir.Write("marvo.hlp", "#"), dir.Write("data/marvo_en.hlp", "#");
  const GameFiles files{dir.path(), dir / "data", "", "", ""};
  ShowHelpFile(desktop, files, MenuLanguage::kEnglish);
  ShowHelpFile(desktop, files, MenuLanguage::kJapanese);
  std::filesystem::remove(dir / "marvo.hlp");
  ShowHelpFile(desktop, files, MenuLanguage::kJapanese);
  const std::string help = "help " + dir.path(), en = help + "/data/marvo_en.hlp";
  const std::string failed = "message ブラウザ起動エラー: Ｗｅｂブラウザの起動に失敗しました。";
  EXPECT_EQ(desktop.requests,
            (std::vector<std::string>{"hourglass", "open " + record.LinkUrls[3], failed,
                                      "default pointer", "hourglass",
                                      "open https://www.debian.org/", "default pointer",
                                      "hourglass", "open https://marvostel.example.com/support/",
                                      failed, "default pointer", en, help + "/marvo.hlp", en}));
}

}  // namespace
}  // namespace marvo
