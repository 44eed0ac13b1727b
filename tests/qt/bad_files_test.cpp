// Every file the game reads, replaced by something that is not what it seems:
// the game goes on without it, leaves it as it is and says why in one line.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QTextBrowser>
#include <QTranslator>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "engine/game_record.h"
#include "qt/help_window.h"
#include "qt/translation.h"
#include "shell/file_io.h"
#include "shell/paths.h"
#include "shell/settings.h"
#include "sound/sdl_mixer.h"
#include "tests/support/temp_dir.h"

namespace marvo {
namespace {

// UTF-16 LE with its mark: "[" and a high surrogate with nothing after it.
const std::string kLoneSurrogate("\xFF\xFE[\0\x00\xD8", 6);

struct Kind {
  const char* name;
  bool text_only;  // only a text file can be bad UTF-16
  std::function<void(const std::string& path, std::size_t limit)> make;
  std::string reason;  // empty: the limit's own words
};

const Kind kKinds[] = {
    {"pipe", false,
     [](const std::string& p, std::size_t) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
     "a pipe, not a regular file"},
    {"/dev/zero", false,
     [](const std::string& p, std::size_t) { ASSERT_EQ(::symlink("/dev/zero", p.c_str()), 0); },
     "a device, not a regular file"},
    {"folder", false,
     [](const std::string& p, std::size_t) { ASSERT_EQ(::mkdir(p.c_str(), 0700), 0); },
     "a folder, not a file"},
    {"oversized", false,
     [](const std::string& p, std::size_t limit) {
       std::ofstream(p, std::ios::binary) << "x";
       ASSERT_EQ(::truncate(p.c_str(), static_cast<off_t>(limit) + 1), 0);
     },
     ""},
    {"bad UTF-16", true,
     [](const std::string& p, std::size_t) {
       std::ofstream(p, std::ios::binary) << kLoneSurrogate;
     },
     "UTF-16 with a lone surrogate at byte 4"},
};

// What is at a path, to see that it was left as it is.
std::string Describe(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return "nothing";
  std::string what = std::to_string(st.st_mode) + "/" + std::to_string(st.st_size);
  if (S_ISREG(st.st_mode) && st.st_size < (1 << 20)) {
    std::ifstream in(path, std::ios::binary);
    what += "/" + std::string(std::istreambuf_iterator<char>(in), {});
  }
  return what;
}

// What the game said on stderr, without the offscreen platform's own remarks
// about the windows it cannot move.
std::string Said() {
  const std::string all = ::testing::internal::GetCapturedStderr();
  std::string said;
  for (std::size_t at = 0, end; at < all.size(); at = end + 1) {
    end = std::min(all.find('\n', at), all.size());
    if (!all.compare(at, 15, "This plugin doe")) continue;
    said += all.substr(at, end - at + 1);
  }
  return said;
}

// Each file the game reads, and the game's own use of it: true when it was used.
struct File {
  const char* name;
  DataFile kind;
  bool text;
  std::function<bool(const GameFiles& files, const std::string& path)> use;
  int mib;  // the largest it may be
};

bool ReadTheSettings(const GameFiles& files, const std::string&) {
  GameRecord record;
  MainFormModel form;
  ReadSettings(record, form, files);
  std::string reason;
  std::vector<FinishedGame> pending{{900, Speed::k100}};
  // Neither read nor overwritten at the end.
  const bool saved = SaveSettings(SaveScope::kEverything, record, form, files, pending, reason);
  return record.HiScore[1] == 777 && saved;
}

bool ShowTheHelp(const GameFiles&, const std::string& path) {
  HelpWindow help;
  help.ShowFile(QString::fromStdString(path));
  const bool shown = help.Browser()->toPlainText().contains("How to play");
  help.close();
  return shown;
}

bool InstallTheEnglishTexts(const GameFiles& files, const std::string&) {
  const std::string before = std::getenv("LC_ALL") ? std::getenv("LC_ALL") : "";
  setenv("LC_ALL", "en_US.UTF-8", 1);
  InstallTranslation(*qApp, files);
  setenv("LC_ALL", before.c_str(), 1);
  const bool english = Translated("終了(&X)") != QString::fromUtf8("終了(&X)");
  for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
    qApp->removeTranslator(translator);
    delete translator;
  }
  return english;
}

bool OpenTheWave(const GameFiles&, const std::string& path) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SdlMixer mixer(ReadWaveFile);
  const MixSessionHandle session = mixer.ConfigureInit(MixConfig{});
  if (mixer.Activate(session, true) != 0) return false;
  const MixWaveHandle wave = mixer.OpenWave(session, path, 0, 0);
  return wave != 0 && mixer.Play({.session = session, .wave = wave}) == 0;
}

bool ReadTheReplay(const GameFiles&, const std::string& path) {
  std::string bytes;
  return ReadDataFile(path, DataFile::kReplay, bytes) == FileRead::kOk && bytes == "replay";
}

TEST(BadFilesTest, EachFileTheGameReadsIsLeftAsItIsWithOneLineSayingWhyWhenItIsNotAFile) {
  const std::string game_dir = MARVO_GAME_DIR;
  const File files[] = {
      {"marvo.ini", DataFile::kSettings, true, ReadTheSettings, 16},
      {"marvo.hlp", DataFile::kHelp, true, ShowTheHelp, 1},
      {"marvostel_en.qm", DataFile::kTranslation, false, InstallTheEnglishTexts, 4},
      {"bgm3.wav", DataFile::kWave, false, OpenTheWave, 64},
      {"best.mvr", DataFile::kReplay, false, ReadTheReplay, 16},
  };
  for (const File& file : files) {
    SCOPED_TRACE(file.name);
    // The real file is used, so that a use that reads nothing cannot pass.
    {
      testing::TempDir dir;
      const std::string path = dir / file.name;
      dir.Write(file.name, file.kind == DataFile::kSettings ? "[MARVOSTEL]\nHISCORE1=777\n"
                           : file.kind == DataFile::kHelp   ? "# How to play\n"
                           : file.kind == DataFile::kReplay ? "replay"
                                                            : "");
      if (file.kind == DataFile::kTranslation || file.kind == DataFile::kWave)
        std::filesystem::copy_file(game_dir + "/" + file.name, path,
                                   std::filesystem::copy_options::overwrite_existing);
      ::testing::internal::CaptureStderr();
      EXPECT_TRUE(file.use(LocateGameFiles(dir.path(), {}), path));
      EXPECT_EQ(Said(), "");
    }
    for (const Kind& kind : kKinds) {
      if (kind.text_only && !file.text) continue;
      SCOPED_TRACE(kind.name);
      testing::TempDir dir;
      const std::string path = dir / file.name;
      const std::size_t limit = std::size_t(file.mib) << 20;
      kind.make(path, limit);
      const std::string before = Describe(path);
      const std::string reason =
          !kind.reason.empty() ? kind.reason : "larger than " + std::to_string(file.mib) + " MiB";
      ::testing::internal::CaptureStderr();
      EXPECT_FALSE(file.use(LocateGameFiles(dir.path(), {}), path));
      const std::string said = Said();
      EXPECT_EQ(Describe(path), before);
      // One line, naming the file and why.
      const std::string first = said.substr(0, said.find('\n') + 1);
      EXPECT_NE(first.find(path), std::string::npos) << said;
      EXPECT_NE(first.find(reason), std::string::npos) << said;
      EXPECT_EQ(said, first) << said;
    }
  }
}

}  // namespace
}  // namespace marvo
