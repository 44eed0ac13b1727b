#include "qt/translation.h"

#include <QCoreApplication>
#include <QTranslator>
#include <cstdio>
#include <string>

#include "shell/file_io.h"
#include "shell/language.h"
#include "shell/paths.h"

namespace marvo {

namespace {

// Every translated text lives in this one context of the translation file.
constexpr const char* kContext = "marvostel";
constexpr const char* kEnglishFile = "marvostel_en.qm";

// A translator and the file's bytes it reads its texts from.
struct OwnTranslator final : QTranslator {
  using QTranslator::QTranslator;
  std::string bytes;
};

}  // namespace

MenuLanguage InstallTranslation(QCoreApplication& application, const GameFiles& files) {
  const LocaleVariables locale{Env("LC_ALL"), Env("LC_MESSAGES"), Env("LANG"), Env("LANGUAGE")};
  if (ChooseMenuLanguage(locale) != MenuLanguage::kEnglish) return MenuLanguage::kJapanese;
  const std::string path = files.Find(kEnglishFile);
  // Read through the same checks as every data file, and handed to Qt as
  // bytes that live as long as the translator.
  auto* translator = new OwnTranslator(&application);
  std::string reason = "not a translation file";
  if (ReadFileChecked(path, MaxFileSize(DataFile::kTranslation), translator->bytes, reason) !=
          FileRead::kOk ||
      !translator->load(reinterpret_cast<const uchar*>(translator->bytes.data()),
                        static_cast<int>(translator->bytes.size()))) {
    std::fprintf(stderr, "marvostel: %s could not be read (%s); the menus stay in Japanese\n",
                 path.c_str(), reason.c_str());
    delete translator;
    return MenuLanguage::kJapanese;
  }
  application.installTranslator(translator);
  return MenuLanguage::kEnglish;
}

QString Translated(const std::string& text) {
  return QCoreApplication::translate(kContext, text.c_str());
}

bool EnglishMenus() {
  const std::string game_menu = "ｹﾞｰﾑ(&G)";
  return Translated(game_menu) != QString::fromStdString(game_menu);
}

}  // namespace marvo
