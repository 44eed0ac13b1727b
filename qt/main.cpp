// MARVOSTEL: the main window over the game's handlers.
#include <QApplication>

#include "qt/ending.h"
#include "qt/main_form.h"
#include "qt/qt_desktop.h"
#include "qt/qt_platform.h"
#include "qt/qt_text.h"
#include "shell/app.h"
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
  // The game's files lie beside the executable.
  marvo::App app(platform, text, desktop, mixer,
                 QCoreApplication::applicationDirPath().toStdString());
  marvo::MainForm form(app.form, app);
  desktop.SetMainWindow(&form);
  // A logout or a kill closes the window as its close box does: settings saved.
  marvo::SessionEnding ending([&desktop] { desktop.CloseMainWindow(); });
  // The game's loops run inside handlers; the window follows them on every pass.
  platform.SetBeforeEvents([&form] { form.Mirror(); });

  form.Load();
  form.Show(app.display);
  return application.exec();
}
