#include "shell/commands.h"

#include <array>

namespace marvo {

namespace {

struct Link {
  const char* title;
  const char* url;
};

// The game's site first, then what the game is built with and runs on.
constexpr std::array<Link, 5> kLinks = {{
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
  // 1..5, and anything else names no link either.
  if (record.CaptionIndex < 1 || record.CaptionIndex > 5 || record.LinkLock == 1) return;
  // A click that opens nothing would leave the player guessing: a failed
  // browser is reported as the support page reports it.
  OpenInBrowser(desktop, record.LinkUrls[size_t(record.CaptionIndex)]);
}

void ShowHelpFile(Desktop& desktop, const GameFiles& files) {
  desktop.ShowHelp(files.Find("marvo.hlp"));
}

}  // namespace marvo
