#include "shell/language.h"

#include <gtest/gtest.h>

namespace marvo {
namespace {

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
