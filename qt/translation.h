#pragma once

#include <QString>
#include <string>

#include "shell/language.h"

class QCoreApplication;

namespace marvo {

struct GameFiles;

// Installs the English texts when the player's locale asks for English (see
// ChooseMenuLanguage), from the game's data files. Call once, before the
// window is built.
// A missing translation file leaves the Japanese texts, with a warning.
// Returns the language the menus are shown in.
MenuLanguage InstallTranslation(QCoreApplication& application, const GameFiles& files);

// One of the game's own texts (a menu caption, the About window's captions,
// the message box, the help window's title) in the player's language.
QString Translated(const std::string& text);

// Whether the menus are English: then menus and dialogs take the desktop's
// own font, not the game's Japanese gothic.
bool EnglishMenus();

}  // namespace marvo
