#include "shell/language.h"

#include <string_view>

namespace marvo {

namespace {

// "ja_JP.UTF-8@euro" -> "ja": the language code before the territory, the
// codeset and the modifier.
std::string_view LanguageCode(std::string_view locale) {
  return locale.substr(0, locale.find_first_of("_.@"));
}

bool IsPlainLocale(std::string_view locale) {
  const std::string_view name = locale.substr(0, locale.find_first_of(".@"));
  return name == "C" || name == "POSIX";
}

std::string_view FirstPreference(std::string_view list) {
  while (!list.empty()) {
    const size_t colon = list.find(':');
    const std::string_view entry = list.substr(0, colon);
    if (!entry.empty()) return entry;
    if (colon == std::string_view::npos) break;
    list.remove_prefix(colon + 1);
  }
  return {};
}

}  // namespace

MenuLanguage ChooseMenuLanguage(const LocaleVariables& locale) {
  std::string_view messages = !locale.lc_all.empty()        ? locale.lc_all
                              : !locale.lc_messages.empty() ? locale.lc_messages
                                                            : locale.lang;
  if (messages.empty() || IsPlainLocale(messages)) return MenuLanguage::kJapanese;
  const std::string_view preferred = FirstPreference(locale.language);
  if (!preferred.empty()) messages = preferred;
  return LanguageCode(messages) == "ja" ? MenuLanguage::kJapanese : MenuLanguage::kEnglish;
}

}  // namespace marvo
