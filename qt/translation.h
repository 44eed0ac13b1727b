#pragma once

#include <QString>
#include <string>

class QCoreApplication;

namespace marvo {

// Installs the English texts when the player's locale asks for English (see
// ChooseMenuLanguage). Call once, right after the application object exists.
// A missing translation file leaves the Japanese texts, with a warning.
void InstallTranslation(QCoreApplication& application);

// One of the game's own texts (a menu caption, the About window's captions,
// the message box, the help window's title) in the player's language.
QString Translated(const std::string& text);

}  // namespace marvo
