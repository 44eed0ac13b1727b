// Every file the game reads, replaced by something that is not what it seems.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTextBrowser>

#include "qt/help_window.h"
#include "qt/translation.h"
#include "shell/file_io.h"
#include "shell/settings.h"
#include "sound/sdl_mixer.h"
#include "tests/support/temp_dir.h"

namespace marvo {
namespace {

bool UseSettings(const GameFiles& files) {
  GameRecord record;
  MainFormModel form;
  ReadSettings(record, form, files);
  std::string reason;
  std::vector<FinishedGame> pending{{900, Speed::k100}};
  return SaveSettings(SaveScope::kEverything, record, form, files, pending, reason);
}
bool UseHelp(const GameFiles& files) {
  HelpWindow help;
  help.ShowFile(QString::fromStdString(files.Find("marvo.hlp")));
  return !help.Browser()->toPlainText().contains("could not be opened");
}
bool UseTranslation(const GameFiles& files) {
  setenv("LC_ALL", "en_US.UTF-8", 1);
  const bool english = InstallTranslation(*qApp, files) == MenuLanguage::kEnglish;
  return unsetenv("LC_ALL") == 0 && english;
}
bool UseWave(const GameFiles& files) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SdlMixer mixer(ReadWaveFile);
  const MixSessionHandle session = mixer.ConfigureInit(MixConfig{});
  return mixer.Activate(session, true) == 0 &&
         mixer.OpenWave(session, files.Find("bgm3.wav"), 0, 0) != 0;
}

TEST(BadFilesTest, EachFileTheGameReadsIsLeftAsItIsWithOneLineSayingWhyWhenItIsNotAFile) {
  // The offscreen platform's remarks about windows it cannot raise.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  struct File {
    const char* name;
    bool text;                      // only a text file can be bad UTF-16
    int mib;                        // the largest it may be
    bool (*use)(const GameFiles&);  // the game's own use of it: true when it was used
  };
  const File files[] = {{"marvo.ini", true, 16, UseSettings},
                        {"marvo.hlp", true, 1, UseHelp},
                        {"marvostel_en.qm", false, 4, UseTranslation},
                        {"bgm3.wav", false, 64, UseWave}};
  for (const File& file : files) {
    for (const std::string kind : {"pipe", "/dev/zero", "folder", "oversized", "bad UTF-16"}) {
      if (kind == "bad UTF-16" && !file.text) continue;
      SCOPED_TRACE(file.name + (" as " + kind));
      support::TempDir dir;
      const std::string path = dir / file.name;
      std::string reason = kind == "pipe"        ? "a pipe, not a regular file"
                           : kind == "/dev/zero" ? "a device, not a regular file"
                           : kind == "folder"    ? "a folder, not a file"
                           : kind == "oversized"
                               ? "larger than " + std::to_string(file.mib) + " MiB"
                               : "UTF-16 with a lone surrogate at byte 4";
      ASSERT_EQ(kind == "pipe"        ? ::mkfifo(path.c_str(), 0600)
                : kind == "/dev/zero" ? ::symlink("/dev/zero", path.c_str())
                : kind == "folder"    ? ::mkdir(path.c_str(), 0700)
                : kind == "oversized"
                    ? (std::ofstream(path) << "x", 0) +
                          ::truncate(path.c_str(), (off_t{file.mib} << 20) + 1)
                    : (std::ofstream(path) << std::string("\xFF\xFE[\0\0\xD8", 6), 0),
                0);
      struct stat before {
      }, after{};
      ::lstat(path.c_str(), &before);
      testing::internal::CaptureStderr();
      EXPECT_FALSE(file.use(LocateGameFiles(dir.path(), {})));
      const std::string said = testing::internal::GetCapturedStderr();
      EXPECT_TRUE(::lstat(path.c_str(), &after) == 0 && after.st_mode == before.st_mode &&
                  after.st_size == before.st_size);
      EXPECT_TRUE(said.find(path) != said.npos && said.find(reason) != said.npos &&
                  said.find('\n') == said.size() - 1)
          << said;
    }
  }
}

}  // namespace
}  // namespace marvo
