#pragma once

#include <string>

namespace marvo {

// The two languages of the menus, the About window's captions, the message
// box and the help window's title. Everything else (the read-outs, banners,
// pictures, link captions and the accelerator letters) reads the same in both.
enum class MenuLanguage { kJapanese, kEnglish };

// The locale variables that name the player's language; an unset one is empty.
struct LocaleVariables {
  std::string lc_all;
  std::string lc_messages;
  std::string lang;
  std::string language;  // a colon-separated list of preferences
};

// The messages locale is LC_ALL, else LC_MESSAGES, else LANG, else C. Under C
// or POSIX (with any codeset) the game speaks Japanese, its own language, and
// LANGUAGE is not consulted; otherwise the first entry of LANGUAGE, or the
// messages locale without one, decides: Japanese for "ja", English for any
// other language.
MenuLanguage ChooseMenuLanguage(const LocaleVariables& locale);

}  // namespace marvo
