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

TEST(GameFilesTest, TheSettingsStayBesideAProgramThatCanWriteThereAndGoToTheConfigFolderElse) {
  testing::TempDir dir;
  ::mkdir((dir / "games").c_str(), 0755);
  ::mkdir((dir / "share").c_str(), 0755);
  const std::string game = dir / "games";
  struct Case {
    std::string data_dir, xdg, settings;
  };
  const Case cases[] = {
      {"../none", "/cfg", game + "/marvo.ini"},  // a portable copy
      {"../share", "/cfg", "/cfg/marvostel/marvo.ini"},
      {dir / "share", "", "/home/p/.config/marvostel/marvo.ini"},
      {"../share", "c", "/home/p/.config/marvostel/marvo.ini"},  // relative: not used
  };
  for (const Case& c : cases) {
    const GameFiles files = LocateGameFiles(game, {c.data_dir, c.xdg, "/home/p"});
    EXPECT_EQ(files.settings, c.settings) << c.data_dir << " " << c.xdg;
    // The file beside the program starts the player's own.
    const bool installed = c.data_dir.ends_with("share");
    EXPECT_EQ(files.starting_settings, installed ? game + "/marvo.ini" : "") << c.data_dir;
    EXPECT_EQ(files.data_dir, installed ? dir / "share" : dir / "none") << c.data_dir;
  }
  if (::geteuid() == 0) return;  // root writes into read-only folders
  ASSERT_EQ(::chmod(game.c_str(), 0555), 0);
  EXPECT_EQ(LocateGameFiles(game, {"", "", "/home/p"}).settings,
            "/home/p/.config/marvostel/marvo.ini");
}

TEST(GameFilesTest, AnInstalledCopyFindsItsDataAndStartsFromTheFileBesideItOnce) {
  testing::TempDir dir;
  GameRecord record;
  MainFormModel form;
  std::string reason;
  ::mkdir((dir / "games").c_str(), 0755);
  ::mkdir((dir / "games/bgm3.wav").c_str(), 0700);  // a folder is no wave file
  for (const char* name : {"marvo.hlp", "bgm1.wav", "bgm3.wav"}) dir.Write(name, "RIFF");
  dir.Write("games/marvo.hlp", "beside");
  const GameFiles files = LocateGameFiles(dir / "games", {dir.path(), dir / "cfg", ""});
  EXPECT_EQ(files.Find("marvo.hlp"), dir / "games/marvo.hlp");
  EXPECT_EQ(files.Find("bgm3.wav"), dir / "bgm3.wav");
  EXPECT_EQ(files.Find("e1.wav"), dir / "games/e1.wav");  // missing everywhere
  ReadSettings(record, form, files);
  EXPECT_EQ(record.HiScore[1], 10000);  // nothing beside it: the defaults
  // The music menus see the installed music.
  EXPECT_TRUE(form.MMG_BGMT1.enabled && form.MMG_BGMT2.enabled && form.MMG_BGMU.checked);

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
  EXPECT_EQ(saved.Get("MARVOSTEL", "HISCORE1", "") + saved.Get("Other", "K", ""), "888v");
  EXPECT_EQ(dir.Read("games/marvo.ini"), beside);
  ReadSettings(record, form, files);
  EXPECT_EQ(record.HiScore[1], 888);
}

TEST(GameFilesTest, AFailedSaveSaysWhyAndLeavesWhatIsThere) {
  testing::TempDir dir;
  GameRecord record;
  MainFormModel form;
  std::string reason;
  // Under a regular file no folder can be made, not even by root.
  dir.Write("file", "not a folder");
  const GameFiles files = LocateGameFiles(dir.path(), {dir.path(), dir / "file", ""});
  EXPECT_FALSE(WriteSettings(record, form, files, reason));
  EXPECT_EQ(reason, "Not a directory");
  // A pipe in the file's place is not overwritten.
  ASSERT_EQ(::mkfifo((dir / "marvo.ini").c_str(), 0600), 0);
  EXPECT_FALSE(WriteSettings(record, form, LocateGameFiles(dir.path(), {}), reason));
  EXPECT_EQ(reason, "not a readable settings file, left as it is");
}

}  // namespace
}  // namespace marvo
