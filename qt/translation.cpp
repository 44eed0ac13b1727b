#include "qt/translation.h"

#include <QCoreApplication>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

#include "shell/language.h"
#include "shell/paths.h"

namespace marvo {

namespace {

// Every translated text lives in this one context of the translation file.
constexpr const char* kContext = "marvostel";
constexpr const char* kEnglishFile = "marvostel_en.qm";

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

}  // namespace

MenuLanguage InstallTranslation(QCoreApplication& application, const GameFiles& files) {
  const LocaleVariables locale{Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG"),
                               Variable("LANGUAGE")};
  if (ChooseMenuLanguage(locale) != MenuLanguage::kEnglish) return MenuLanguage::kJapanese;
  const QString path = QString::fromStdString(files.Find(kEnglishFile));
  auto* translator = new QTranslator(&application);
  if (!translator->load(path)) {
    std::fprintf(stderr, "marvostel: %s could not be read; the menus stay in Japanese\n",
                 qPrintable(path));
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
