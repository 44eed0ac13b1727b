// MARVOSTEL: the main window over the game's handlers.
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "qt/ending.h"
#include "qt/gamepad.h"
#include "qt/main_form.h"
#include "qt/qt_desktop.h"
#include "qt/qt_platform.h"
#include "qt/qt_text.h"
#include "qt/translation.h"
#include "shell/app.h"
#include "shell/paths.h"
#include "sound/sdl_mixer.h"

int main(int argc, char** argv) {
  // Whole scale factors only, so each field pixel becomes a whole block.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  QApplication application(argc, argv);
  marvo::RegisterFontSubstitutions();

  marvo::QtPlatform platform;
  marvo::QtTextRasterizer text;
  marvo::QtDesktop desktop;
  marvo::SdlMixer mixer;
  // The game's files lie beside the executable, or in the installed data folder.
  const std::string program_dir = QCoreApplication::applicationDirPath().toStdString();
  marvo::App app(platform, text, desktop, mixer, program_dir);
  app.menu_language = marvo::InstallTranslation(
      application, marvo::LocateGameFiles(program_dir, marvo::FileSearch::ForThisProcess()));
  marvo::MainForm form(app.form, app);
  desktop.SetMainWindow(&form);
  // A logout or a kill closes the window as its close box does: settings saved.
  marvo::SessionEnding ending([&desktop] { desktop.CloseMainWindow(); });
  if (ending.Error() != 0) {
    std::fprintf(stderr, "SIGTERM, SIGINT and SIGHUP end the game without saving: %s\n",
                 std::strerror(ending.Error()));
  }
  // The game's loops run inside handlers; the window follows them on every pass.
  platform.SetBeforeEvents([&form] { form.Mirror(); });
  // A gamepad's buttons are the window's Space and Enter.
  marvo::Gamepad gamepad(form);

  form.Load();
  // A zoom or full-screen change is saved at once: a display that goes away
  // ends the program with no chance to save.
  form.Show(app.display, [&app] { app.SaveChoices(); });
  return application.exec();
}
