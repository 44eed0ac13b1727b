#include "shell/paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "shell/profile.h"
#include "shell/settings.h"
#include "tests/support/temp_dir.h"

namespace marvo {
namespace {

using testing::TempDir;

TEST(GameFilesTest, TheSettingsStayBesideAProgramThatCanWriteThereAndGoToTheConfigFolderElse) {
  TempDir dir;
  ::mkdir((dir / "games").c_str(), 0755);
  ::mkdir((dir / "share").c_str(), 0755);
  const std::string game = dir / "games";
  struct Case {
    const char* what;
    std::string data_dir, xdg, settings;
  };
  const Case cases[] = {
      {"a portable copy", "../none", "/cfg", game + "/marvo.ini"},
      {"installed, XDG_CONFIG_HOME set", "../share", "/cfg", "/cfg/marvostel/marvo.ini"},
      {"installed, XDG_CONFIG_HOME unset", dir / "share", "",
       "/home/p/.config/marvostel/marvo.ini"},
      {"installed, XDG_CONFIG_HOME relative", "../share", "c",
       "/home/p/.config/marvostel/marvo.ini"},
  };
  for (const Case& c : cases) {
    const GameFiles files = LocateGameFiles(game, {c.data_dir, c.xdg, "/home/p"});
    EXPECT_EQ(files.settings, c.settings) << c.what;
    // The file beside the program starts the player's own.
    const bool installed = c.data_dir.ends_with("share");
    EXPECT_EQ(files.starting_settings, installed ? game + "/marvo.ini" : "") << c.what;
    EXPECT_EQ(files.data_dir, installed ? dir / "share" : dir / "none") << c.what;
  }
  if (::geteuid() == 0) return;  // root writes into read-only folders
  ASSERT_EQ(::chmod(game.c_str(), 0555), 0);
  EXPECT_EQ(LocateGameFiles(game, {"", "", "/home/p"}).settings,
            "/home/p/.config/marvostel/marvo.ini");
}

class SaveTest : public ::testing::Test {
 protected:
  TempDir dir;
  GameRecord record;
  MainFormModel form;
  std::string reason;
};

TEST_F(SaveTest, AnInstalledCopyStartsFromTheFileBesideItAndKeepsThePlayersOwnFile) {
  ::mkdir((dir / "games").c_str(), 0755);
  const GameFiles files = LocateGameFiles(dir / "games", {dir.path(), dir / "cfg", ""});
  ReadSettings(record, form, files);
  EXPECT_EQ(record.HiScore[1], 10000);  // nothing beside it: the defaults

  // The file beside it, other sections too, starts the player's file, made in
  // a new folder; from then on that file counts alone and the one beside the
  // program is never written.
  const std::string beside = "[MARVOSTEL]\nHISCORE1=777\n[Other]\nK=v\n";
  dir.Write("games/marvo.ini", beside);
  ReadSettings(record, form, files);
  EXPECT_EQ(record.HiScore[1], 777);
  record.HiScore[1] = 888;
  EXPECT_TRUE(WriteSettings(record, form, files, reason)) << reason;
  const Profile saved = Profile::Parse(dir.Read("cfg/marvostel/marvo.ini"));
  EXPECT_EQ(saved.Get("MARVOSTEL", "HISCORE1", ""), "888");
  EXPECT_EQ(saved.Get("Other", "K", ""), "v");
  EXPECT_EQ(dir.Read("games/marvo.ini"), beside);
  ReadSettings(record, form, files);
  EXPECT_EQ(record.HiScore[1], 888);
}

TEST_F(SaveTest, AFailedSaveSaysWhyAndLeavesWhatIsThere) {
  // Under a regular file no folder can be made, not even by root.
  dir.Write("file", "not a folder");
  const GameFiles files = LocateGameFiles(dir.path(), {dir.path(), dir / "file", ""});
  EXPECT_FALSE(WriteSettings(record, form, files, reason));
  EXPECT_EQ(reason, "Not a directory");
  ::testing::internal::CaptureStderr();
  ReportSaveFailure(files.settings, reason);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "settings not saved to " + (dir / "file/marvostel/marvo.ini") + ": Not a directory\n");

  // A pipe in the file's place is not overwritten.
  ASSERT_EQ(::mkfifo((dir / "marvo.ini").c_str(), 0600), 0);
  EXPECT_FALSE(WriteSettings(record, form, LocateGameFiles(dir.path(), {}), reason));
  EXPECT_EQ(reason, "not a readable settings file, left as it is");
}

TEST(GameFilesTest, DataFilesAreFoundBesideTheProgramFirstThenInTheDataFolder) {
  TempDir program, data;
  program.Write("marvo.hlp", "beside");
  ::mkdir((program / "bgm3.wav").c_str(), 0700);  // a folder is no wave file
  for (const char* name : {"marvo.hlp", "bgm1.wav", "bgm3.wav"}) data.Write(name, "RIFF");
  const GameFiles files{program.path(), data.path(), program / "marvo.ini", ""};
  EXPECT_EQ(files.Find("marvo.hlp"), program / "marvo.hlp");
  EXPECT_EQ(files.Find("bgm3.wav"), data / "bgm3.wav");
  EXPECT_EQ(files.Find("e1.wav"), program / "e1.wav");  // missing everywhere

  // The music menus see the installed music.
  GameRecord record;
  MainFormModel form;
  ReadSettings(record, form, files);
  EXPECT_TRUE(form.MMG_BGMT1.enabled && form.MMG_BGMT2.enabled && form.MMG_BGMU.checked);
}

}  // namespace
}  // namespace marvo
