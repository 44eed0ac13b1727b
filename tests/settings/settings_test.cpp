#include "shell/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <string>

#include "shell/profile.h"
#include "tests/support/temp_dir.h"

namespace marvo {
namespace {

using testing::TempDir;

// The music menu as ReadSettings leaves it, in one comparable piece.
struct MusicMenu {
  bool bgm_enabled, on_checked, off_checked;
  bool track_enabled, t1_enabled, t1_checked, t2_enabled, t2_checked;
  bool operator==(const MusicMenu&) const = default;
};

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(dir.path().empty()); }

  void WithTracks(bool track1, bool track2) {
    if (track1) dir.Write("bgm1.wav", "RIFF");
    if (track2) dir.Write("bgm3.wav", "RIFF");
  }
  void Read() { ReadSettings(record, form, dir.path()); }
  bool Write() { return WriteSettings(record, form, dir.path()); }
  MusicMenu Menu() const {
    return {form.MMS_BGM.enabled,   form.MMG_BGMU.checked,  form.MMG_BGMN.checked,
            form.MMS_BGM2.enabled,  form.MMG_BGMT1.enabled, form.MMG_BGMT1.checked,
            form.MMG_BGMT2.enabled, form.MMG_BGMT2.checked};
  }
  std::array<int32_t, 5> Scores() const {
    return {record.HiScore[1], record.HiScore[2], record.HiScore[3], record.HiScore[4],
            record.HiScore[5]};
  }
  std::string Saved(const char* key) const {
    const Profile p = Profile::Parse(dir.Read("marvo.ini"));
    return p.Get("MARVOSTEL", key, "(none)");
  }

  TempDir dir;
  GameRecord record;
  MainFormModel form;
};

TEST_F(SettingsTest, AFirstRunStartsWithTheDefaultsAndSavesTheSevenKeysInOrder) {
  WithTracks(true, true);
  // The menu's design state would hide a step that forgot to set something.
  form.MMG_BGMU.checked = false;
  form.MMG_BGMT1.checked = false;
  form.MMG_BGMT2.checked = true;
  record.BgmTrack = 7;
  Read();
  EXPECT_EQ(Scores(), (std::array<int32_t, 5>{10000, 5000, 4000, 3000, 2000}));
  EXPECT_EQ(record.BgmTrack, 1);
  EXPECT_EQ(Menu(), (MusicMenu{true, true, false, true, true, true, true, false}));
  EXPECT_FALSE(FileExists(dir / "marvo.ini"));  // reading creates nothing

  EXPECT_TRUE(Write());
  EXPECT_EQ(dir.Read("marvo.ini"),
            "[MARVOSTEL]\nBGM=0\nBGM_TYPE=1\nHISCORE1=10000\nHISCORE2=5000\n"
            "HISCORE3=4000\nHISCORE4=3000\nHISCORE5=2000\n");
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"bgm1.wav", "bgm3.wav", "marvo.ini"}));
}

TEST_F(SettingsTest, AnyNonZeroMusicSwitchIsOffAndIsSavedAsOne) {
  WithTracks(true, true);
  dir.Write("marvo.ini", "[MARVOSTEL]\nBGM=7\n");
  Read();
  EXPECT_EQ(Menu(), (MusicMenu{true, false, true, true, true, true, true, false}));
  EXPECT_TRUE(Write());
  EXPECT_EQ(Saved("BGM"), "1");
}

TEST_F(SettingsTest, AnyTrackOtherThanOneIsTrackTwoAndIsSavedAsTwo) {
  WithTracks(true, true);
  dir.Write("marvo.ini", "[MARVOSTEL]\nBGM_TYPE=5\n");
  Read();
  EXPECT_EQ(record.BgmTrack, 5);
  EXPECT_EQ(Menu(), (MusicMenu{true, true, false, true, true, false, true, true}));
  EXPECT_TRUE(Write());
  EXPECT_EQ(Saved("BGM_TYPE"), "2");
}

TEST_F(SettingsTest, AMissingTrackFileForcesTheOtherTrack) {
  WithTracks(false, true);
  dir.Write("marvo.ini", "[MARVOSTEL]\nBGM=0\nBGM_TYPE=1\n");
  Read();
  EXPECT_EQ(record.BgmTrack, 2);
  EXPECT_EQ(Menu(), (MusicMenu{true, true, false, true, false, false, true, true}));
  EXPECT_TRUE(Write());
  EXPECT_EQ(Saved("BGM_TYPE"), "2");
  EXPECT_EQ(Saved("BGM"), "0");

  TempDir other;
  ASSERT_FALSE(other.path().empty());
  other.Write("bgm1.wav", "RIFF");
  other.Write("marvo.ini", "[MARVOSTEL]\nBGM_TYPE=2\n");
  ReadSettings(record, form, other.path());
  EXPECT_EQ(record.BgmTrack, 1);
  EXPECT_EQ(Menu(), (MusicMenu{true, true, false, true, true, true, false, false}));
}

TEST_F(SettingsTest, WithoutMusicFilesBothMusicMenusAreOffAndMusicStaysOff) {
  dir.Write("marvo.ini", "[MARVOSTEL]\nBGM=0\nBGM_TYPE=2\n");
  dir.Write("bgm2.wav", "RIFF");                            // the end-of-game music does not count
  ASSERT_EQ(::mkdir((dir / "bgm1.wav").c_str(), 0700), 0);  // nor a folder of that name
  Read();
  EXPECT_EQ(record.BgmTrack, 1);
  EXPECT_EQ(Menu(), (MusicMenu{false, false, true, false, true, false, true, false}));
  EXPECT_TRUE(Write());
  EXPECT_EQ(Saved("BGM"), "1");
  EXPECT_EQ(Saved("BGM_TYPE"), "1");
}

TEST_F(SettingsTest, ScoresAreUsedAsReadAndSavedWithoutLeadingZeros) {
  dir.Write("marvo.ini",
            "[MARVOSTEL]\nHISCORE1=100\nHISCORE2=900\nHISCORE3=05000\nHISCORE4=-7\n"
            "HISCORE5=+0001234567\n");
  Read();
  EXPECT_EQ(Scores(), (std::array<int32_t, 5>{100, 900, 5000, -7, 1234567}));
  EXPECT_TRUE(Write());
  EXPECT_EQ(Saved("HISCORE1"), "100");
  EXPECT_EQ(Saved("HISCORE2"), "900");
  EXPECT_EQ(Saved("HISCORE3"), "5000");
  EXPECT_EQ(Saved("HISCORE4"), "-7");
  EXPECT_EQ(Saved("HISCORE5"), "1234567");
}

TEST_F(SettingsTest, AValueThatIsNoNumberCountsAsTheKeysDefault) {
  WithTracks(true, true);
  dir.Write("marvo.ini",
            "[MARVOSTEL]\nBGM=0x10\nBGM_TYPE=\nHISCORE1=5abc\nHISCORE2=2147483648\n"
            "HISCORE3=-2147483649\nHISCORE4=  12  \nHISCORE5=-2147483648\n");
  Read();
  EXPECT_TRUE(form.MMG_BGMU.checked);  // "0x10" is not 16: the default, music on
  EXPECT_EQ(record.BgmTrack, 1);
  EXPECT_EQ(Scores(), (std::array<int32_t, 5>{10000, 5000, 4000, 12, -2147483647 - 1}));

  dir.Write("marvo.ini", "[MARVOSTEL]\nBGM=+\nBGM_TYPE=-\nHISCORE1=2147483647\nHISCORE2= - 5\n");
  Read();
  EXPECT_TRUE(form.MMG_BGMU.checked);
  EXPECT_EQ(record.BgmTrack, 1);
  EXPECT_EQ(record.HiScore[1], 2147483647);
  EXPECT_EQ(record.HiScore[2], 5000);
}

TEST_F(SettingsTest, SavingKeepsEverythingElseInTheFile) {
  WithTracks(true, true);
  const std::string old_text =
      "; kept by hand\r\n"
      "[Other]\r\n"
      "HISCORE1=1\r\n"
      "\r\n"
      "[marvostel]\r\n"
      "Bgm=1\r\n"
      "hiscore1 = 300 ; best\r\n"
      "Note=keep me\r\n"
      "\r\n"
      "[MARVOSTEL]\r\n"
      "HISCORE2=2\r\n";
  dir.Write("marvo.ini", old_text);
  Read();
  EXPECT_FALSE(form.MMG_BGMU.checked);
  EXPECT_EQ(record.HiScore[1], 10000);  // "300 ; best" is no number
  EXPECT_EQ(record.HiScore[2], 5000);   // only the first section of the name counts
  form.MMG_BGMU.checked = true;
  record.HiScore[1] = 300;
  EXPECT_TRUE(Write());
  EXPECT_EQ(dir.Read("marvo.ini"),
            "; kept by hand\r\n"
            "[Other]\r\n"
            "HISCORE1=1\r\n"
            "\r\n"
            "[marvostel]\r\n"
            "Bgm=0\r\n"
            "hiscore1=300\r\n"
            "Note=keep me\r\n"
            "BGM_TYPE=1\r\n"
            "HISCORE2=5000\r\n"
            "HISCORE3=4000\r\n"
            "HISCORE4=3000\r\n"
            "HISCORE5=2000\r\n"
            "\r\n"
            "[MARVOSTEL]\r\n"
            "HISCORE2=2\r\n");
}

TEST_F(SettingsTest, DamagedFilesStartWithDefaultsAndAreRepairedOnSaving) {
  WithTracks(true, true);
  std::string junk;
  for (int i = 0; i < 5000; ++i) junk += static_cast<char>((i * 7919) % 256);
  const std::string cases[] = {
      junk,
      "\xEF\xBB\xBF[MARVOSTEL]\rBGM=1\rHISCORE1=777\r",
      "HISCORE1=1\n[MARVOSTEL]\n" + std::string(1 << 20, '9') + "\nHISCORE1=777\n",
      std::string("[MARVOSTEL]\nHISCORE1=777\0\nBGM=1\n", 31),
  };
  for (const std::string& text : cases) {
    dir.Write("marvo.ini", text);
    Read();
    EXPECT_EQ(record.HiScore[2], 5000);
    record.HiScore[2] = 4321;
    EXPECT_TRUE(Write());
    GameRecord again;
    ReadSettings(again, form, dir.path());
    EXPECT_EQ(again.HiScore[2], 4321);
    EXPECT_EQ(again.HiScore[1], record.HiScore[1]);
  }
  // Each of the readable ones kept its score and its switch.
  EXPECT_EQ(record.HiScore[1], 777);
  EXPECT_FALSE(form.MMG_BGMU.checked);
}

TEST_F(SettingsTest, AFailedSaveLeavesTheOldFileWhole) {
  WithTracks(true, true);
  const std::string old_text = "[MARVOSTEL]\nHISCORE1=123\n";
  dir.Write("marvo.ini", old_text);
  Read();
  record.HiScore[1] = 999999;
  for (rlim_t limit : {rlim_t{0}, rlim_t{40}}) {
    EXPECT_EQ(testing::RunWithFileSizeLimit(limit, [&] { return Write(); }), 0);
    EXPECT_EQ(dir.Read("marvo.ini"), old_text);
  }
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"bgm1.wav", "bgm3.wav", "marvo.ini"}));

  // Something that is no settings file in its place is not overwritten.
  TempDir other;
  ASSERT_FALSE(other.path().empty());
  ASSERT_EQ(::mkdir((other / "marvo.ini").c_str(), 0700), 0);
  other.Write("marvo.ini/keep", "x");
  ReadSettings(record, form, other.path());  // defaults, no fault
  EXPECT_EQ(record.HiScore[1], 10000);
  EXPECT_FALSE(WriteSettings(record, form, other.path()));
  EXPECT_EQ(other.Read("marvo.ini/keep"), "x");
  // Nor is a pipe, which is not waited on either.
  ASSERT_EQ(::remove((other / "marvo.ini/keep").c_str()), 0);
  ASSERT_EQ(::rmdir((other / "marvo.ini").c_str()), 0);
  ASSERT_EQ(::mkfifo((other / "marvo.ini").c_str(), 0600), 0);
  record.HiScore[1] = 1;
  ReadSettings(record, form, other.path());
  EXPECT_EQ(record.HiScore[1], 10000);
  EXPECT_FALSE(WriteSettings(record, form, other.path()));
  struct stat st {};
  ASSERT_EQ(::stat((other / "marvo.ini").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(other.Names(), (std::set<std::string>{"marvo.ini"}));

  EXPECT_FALSE(WriteSettings(record, form, other / "missing"));
}

TEST_F(SettingsTest, AReadOnlyFolderFailsTheSaveQuietly) {
  if (testing::RunningAsRoot()) GTEST_SKIP() << "root writes into read-only folders";
  dir.Write("marvo.ini", "[MARVOSTEL]\nHISCORE1=123\n");
  ASSERT_EQ(::chmod(dir.path().c_str(), 0500), 0);
  record.HiScore[1] = 999999;
  EXPECT_FALSE(Write());
  EXPECT_EQ(dir.Read("marvo.ini"), "[MARVOSTEL]\nHISCORE1=123\n");
}

}  // namespace
}  // namespace marvo
