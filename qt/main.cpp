// MARVOSTEL: the main window over the game's handlers.
#include <QApplication>
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>

#include "qt/ending.h"
#include "qt/gamepad.h"
#include "qt/main_form.h"
#include "qt/qt_desktop.h"
#include "qt/qt_platform.h"
#include "qt/qt_text.h"
#include "qt/translation.h"
#include "shell/app.h"
#include "shell/file_io.h"
#include "shell/paths.h"
#include "shell/replay_store.h"
#include "shell/verify.h"
#include "sound/sdl_mixer.h"

namespace {

constexpr const char* kUsage =
    "Usage: marvostel [--replay FILE | --verify FILE | --help]\n"
    "\n"
    "Without options the game starts.\n"
    "  --replay FILE  plays the recorded run FILE in the window, then ends\n"
    "                 (Escape, Enter, F2, Space or a click on the field stop it)\n"
    "  --verify FILE  plays FILE again without a window or sound and prints each\n"
    "                 stage's score and the final score; exit status 0 when they\n"
    "                 are the recorded ones, 1 when they differ, 2 when FILE\n"
    "                 cannot be used\n"
    "  --help         shows this text\n"
    "\n"
    "Every finished game is kept in the folder \"replays\" beside marvo.ini, or in\n"
    "$XDG_DATA_HOME/marvostel/replays: last.mvr, and the best run at each speed\n"
    "in best.mvr, best-75.mvr and best-50.mvr.\n";

// Re-runs a replay on a platform without a display: the text is drawn by the
// same fonts as in the window, for the head reads it off the field.
int Verify(int argc, char** argv, const marvo::Run& run) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  marvo::RegisterFontSubstitutions();
  const marvo::QtTextRasterizer text;
  return marvo::VerifyRun(run, text, stdout, stderr);
}

}  // namespace

int main(int argc, char** argv) {
  // The options are read before any window or display is opened.
  const std::string_view option = argc > 1 ? argv[1] : "";
  std::optional<marvo::Run> replay;
  if (option == "--help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (option == "--replay" || option == "--verify") {
    if (argc != 3) {
      std::fprintf(stderr, "marvostel: %s wants one FILE\n%s", argv[1], kUsage);
      return 2;
    }
    const marvo::ReplayRead read = marvo::LoadReplay(argv[2]);
    if (!read.run) {
      std::fprintf(stderr, "marvostel: %s: %s\n", argv[2], read.reason.c_str());
      return 2;
    }
    if (option == "--verify") return Verify(argc, argv, *read.run);
    replay = read.run;
  } else if (option.starts_with("--")) {
    std::fprintf(stderr, "marvostel: unknown option %s\n%s", argv[1], kUsage);
    return 2;
  }

  // Whole scale factors only, so each field pixel becomes a whole block.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  QApplication application(argc, argv);
  marvo::RegisterFontSubstitutions();

  marvo::QtPlatform platform;
  marvo::QtTextRasterizer text;
  marvo::QtDesktop desktop;
  marvo::SdlMixer mixer(marvo::ReadWaveFile);
  // The game's files lie beside the executable, or in the installed data folder.
  const std::string program_dir = QCoreApplication::applicationDirPath().toStdString();
  marvo::App app(platform, text, desktop, mixer, program_dir);
  app.menu_language = marvo::InstallTranslation(application, app.files());
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
  if (replay) {
    // Only the run is shown: no game is kept and the settings stay as they are.
    app.watch_only = true;
    QTimer::singleShot(0, &form, [&app, &desktop, &replay] {
      app.WatchRun(*replay);
      desktop.CloseMainWindow();
    });
  }
  return application.exec();
}
