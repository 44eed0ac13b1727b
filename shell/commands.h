#pragma once

#include <string>

#include "engine/game_record.h"
#include "shell/desktop.h"
#include "shell/language.h"
#include "shell/paths.h"

namespace marvo {

// The game's own site, the first entry of the link list.
inline constexpr const char* kOfficialSiteUrl = "https://marvostel.example.com/";
// The support page, on the game's own site.
inline constexpr const char* kSupportPageUrl = "https://marvostel.example.com/support/";
// The only message box the game ever shows: the browser could not be started.
inline constexpr const char* kBrowserFailedText = "Ｗｅｂブラウザの起動に失敗しました。";
inline constexpr const char* kBrowserFailedTitle = "ブラウザ起動エラー";

// Fills the five link captions ("Title (address)") and their addresses,
// entries 1 to 5, captions first.
void FillLinkList(GameRecord& record);

// The support page in the player's browser, under the hourglass; when the
// browser cannot be started the player is told and the pointer comes back only
// after the message is closed.
void OpenSupportPage(Desktop& desktop);

// The link whose caption the strip shows. Nothing before the first caption and
// nothing while a game runs (the strip then names the music); a browser that
// cannot be started is reported as for the support page.
void OpenShownLink(const GameRecord& record, Desktop& desktop);

// The help file written in a menu language: the game's own marvo.hlp is the
// Japanese text, marvo_en.hlp the English one.
const char* HelpFileName(MenuLanguage language);

// The help in the menus' language, shown in the help window. When that file is
// missing and the other language's is there, the other one is shown rather
// than nothing, and one line on stderr says so.
void ShowHelpFile(Desktop& desktop, const GameFiles& files, MenuLanguage language);

}  // namespace marvo
