#include "shell/commands.h"

#include <array>
#include <cstdio>

#include "shell/file_io.h"

namespace marvo {

namespace {

struct Link {
  const char* title;
  const char* url;
};

// The game's site first, then what the game is built with and runs on.
constexpr std::array<Link, kLinkCount> kLinks = {{
    {"MARVOSTEL Official", kOfficialSiteUrl},
    {"Qt Framework", "https://www.qt.io/"},
    {"Simple DirectMedia Layer", "https://www.libsdl.org/"},
    {"IPA Fonts", "https://moji.or.jp/ipafont/"},
    {"Debian Project", "https://www.debian.org/"},
}};

// The address in the player's browser, under the hourglass. When the browser
// cannot be started the player is told, and the pointer comes back only after
// the message is closed.
void OpenInBrowser(Desktop& desktop, const std::string& url) {
  desktop.SetBusyCursor(true);
  if (!desktop.OpenUrl(url)) desktop.ShowCriticalMessage(kBrowserFailedText, kBrowserFailedTitle);
  desktop.SetBusyCursor(false);
}

}  // namespace

void FillLinkList(GameRecord& record) {
  for (size_t i = 1; i <= kLinks.size(); ++i)
    record.Captions[i] = std::string(kLinks[i - 1].title) + " (" + kLinks[i - 1].url + ")";
  for (size_t i = 1; i <= kLinks.size(); ++i) record.LinkUrls[i] = kLinks[i - 1].url;
}

void OpenSupportPage(Desktop& desktop) { OpenInBrowser(desktop, kSupportPageUrl); }

void OpenShownLink(const GameRecord& record, Desktop& desktop) {
  // Before the first caption the index is 0; the demo rotation keeps it in
  // 1..kLinkCount, and anything else names no link either.
  if (record.CaptionIndex < 1 || record.CaptionIndex > kLinkCount || record.LinkLock == 1) return;
  // A click that opens nothing would leave the player guessing: a failed
  // browser is reported as the support page reports it.
  OpenInBrowser(desktop, record.LinkUrls[size_t(record.CaptionIndex)]);
}

const char* HelpFileName(MenuLanguage language) {
  return language == MenuLanguage::kEnglish ? "marvo_en.hlp" : "marvo.hlp";
}

void ShowHelpFile(Desktop& desktop, const GameFiles& files, MenuLanguage language) {
  const std::string own = files.Find(HelpFileName(language));
  if (!FileExists(own)) {
    const MenuLanguage other_language =
        language == MenuLanguage::kEnglish ? MenuLanguage::kJapanese : MenuLanguage::kEnglish;
    const std::string other = files.Find(HelpFileName(other_language));
    if (FileExists(other)) {
      std::fprintf(stderr, "marvostel: %s cannot be read; the help shows %s instead\n", own.c_str(),
                   other.c_str());
      desktop.ShowHelp(other);
      return;
    }
  }
  // With neither file there, the help window names the one it looked for.
  desktop.ShowHelp(own);
}

}  // namespace marvo
