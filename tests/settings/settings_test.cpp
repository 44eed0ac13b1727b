#include "shell/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <string>
#include <tuple>

#include "shell/display.h"
#include "shell/profile.h"
#include "tests/support/temp_dir.h"

namespace marvo {
namespace {

using testing::TempDir;

// A copy of the game in `dir`, which it can write: everything lies there.
GameFiles Portable(const std::string& dir) { return LocateGameFiles(dir, {}); }

// The music menu as ReadSettings leaves it, in one comparable piece.
struct MusicMenu {
  bool bgm_enabled, on_checked, off_checked;
  bool track_enabled, t1_enabled, t1_checked, t2_enabled, t2_checked;
  bool operator==(const MusicMenu&) const = default;
};

class SettingsTest : public ::testing::Test {
 protected:
  void Read() { ReadSettings(record, form, Portable(dir.path())); }
  bool Write() { return WriteSettings(record, form, Portable(dir.path()), reason); }
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
    return Profile::Parse(dir.Read("marvo.ini")).Get("MARVOSTEL", key, "(none)");
  }

  TempDir dir;
  GameRecord record;
  MainFormModel form;
  std::string reason;
};

TEST_F(SettingsTest, AFirstRunStartsWithTheDefaultsAndSavesTheSevenKeysInOrder) {
  dir.Write("bgm1.wav", "RIFF");
  dir.Write("bgm3.wav", "RIFF");
  // The menu's design state would hide a step that forgot to set something.
  form.MMG_BGMU.checked = form.MMG_BGMT1.checked = false;
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

TEST_F(SettingsTest, TheMusicSwitchAndTrackFollowTheFileAndTheTrackFilesThere) {
  struct Case {
    bool track1, track2;
    std::string ini;
    int read_track;
    MusicMenu menu;
    std::string saved_bgm, saved_type;
  };
  const Case cases[] = {
      // Any non-zero switch is off; any track other than one is track two.
      {true, true, "BGM=7", 1, {true, false, true, true, true, true, true, false}, "1", "1"},
      {true, true, "BGM_TYPE=5", 5, {true, true, false, true, true, false, true, true}, "0", "2"},
      // A missing track file forces the other track.
      {false, true, "BGM_TYPE=1", 2, {true, true, false, true, false, false, true, true}, "0", "2"},
      {true, false, "BGM_TYPE=2", 1, {true, true, false, true, true, true, false, false}, "0", "1"},
      // Without music files both menus are off and music stays off.
      {false,
       false,
       "BGM=0\nBGM_TYPE=2",
       1,
       {false, false, true, false, true, false, true, false},
       "1",
       "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ini);
    TempDir folder;
    // The end-of-game music does not count, nor a folder of a track's name.
    folder.Write("bgm2.wav", "RIFF");
    if (c.track1) folder.Write("bgm1.wav", "RIFF");
    if (!c.track1) ::mkdir((folder / "bgm1.wav").c_str(), 0700);
    if (c.track2) folder.Write("bgm3.wav", "RIFF");
    folder.Write("marvo.ini", "[MARVOSTEL]\n" + c.ini + "\n");
    ReadSettings(record, form, Portable(folder.path()));
    EXPECT_EQ(record.BgmTrack, c.read_track);
    EXPECT_EQ(Menu(), c.menu);
    EXPECT_TRUE(WriteSettings(record, form, Portable(folder.path()), reason));
    const Profile saved = Profile::Parse(folder.Read("marvo.ini"));
    EXPECT_EQ(saved.Get("MARVOSTEL", "BGM", ""), c.saved_bgm);
    EXPECT_EQ(saved.Get("MARVOSTEL", "BGM_TYPE", ""), c.saved_type);
  }
}

TEST_F(SettingsTest, ScoresAreUsedAsReadAndAValueThatIsNoNumberCountsAsTheKeysDefault) {
  dir.Write("bgm1.wav", "RIFF");
  dir.Write("marvo.ini",
            "[MARVOSTEL]\nHISCORE1=-2147483648\nHISCORE2=900\nHISCORE3=05000\nHISCORE4=-7\n"
            "HISCORE5=+0002147483647\n");
  Read();
  EXPECT_EQ(Scores(), (std::array<int32_t, 5>{-2147483647 - 1, 900, 5000, -7, 2147483647}));
  EXPECT_TRUE(Write());
  EXPECT_EQ(Saved("HISCORE1"), "-2147483648");
  EXPECT_EQ(Saved("HISCORE3"), "5000");  // without leading zeros

  dir.Write("marvo.ini",
            "[MARVOSTEL]\nBGM=+\nBGM_TYPE=-\nHISCORE1=5abc\nHISCORE2=2147483648\n"
            "HISCORE3=-2147483649\nHISCORE4=  12  \nHISCORE5= - 5\n");
  Read();
  EXPECT_TRUE(form.MMG_BGMU.checked);  // "+" is no number: the default, music on
  EXPECT_EQ(record.BgmTrack, 1);
  EXPECT_EQ(Scores(), (std::array<int32_t, 5>{10000, 5000, 4000, 12, 2000}));
}

TEST_F(SettingsTest, SavingKeepsEverythingElseInTheFile) {
  dir.Write("bgm1.wav", "RIFF");
  dir.Write("marvo.ini",
            "; kept by hand\r\n[Other]\r\nHISCORE1=1\r\n\r\n[marvostel]\r\nBgm=1\r\n"
            "hiscore1 = 300 ; best\r\nNote=keep me\r\n\r\n[MARVOSTEL]\r\nHISCORE2=2\r\n");
  Read();
  EXPECT_FALSE(form.MMG_BGMU.checked);
  EXPECT_EQ(record.HiScore[1], 10000);  // "300 ; best" is no number
  EXPECT_EQ(record.HiScore[2], 5000);   // only the first section of the name counts
  form.MMG_BGMU.checked = true;
  record.HiScore[1] = 300;
  EXPECT_TRUE(Write());
  EXPECT_EQ(dir.Read("marvo.ini"),
            "; kept by hand\r\n[Other]\r\nHISCORE1=1\r\n\r\n[marvostel]\r\nBgm=0\r\n"
            "hiscore1=300\r\nNote=keep me\r\nBGM_TYPE=1\r\nHISCORE2=5000\r\nHISCORE3=4000\r\n"
            "HISCORE4=3000\r\nHISCORE5=2000\r\n\r\n[MARVOSTEL]\r\nHISCORE2=2\r\n");
}

TEST_F(SettingsTest, TheWindowSizeIsWrittenOnlyOnceChosenOrWhenItsSectionWasThere) {
  const std::string design =
      "[MARVOSTEL]\nBGM=1\nBGM_TYPE=1\nHISCORE1=10000\nHISCORE2=5000\n"
      "HISCORE3=4000\nHISCORE4=3000\nHISCORE5=2000\n";
  DisplayChoice display;
  const auto saved_after_reading = [&](const std::string& text) {
    dir.Write("marvo.ini", text);
    display = {};
    ReadSettings(record, form, Portable(dir.path()), &display);
    EXPECT_TRUE(WriteSettings(record, form, Portable(dir.path()), reason, display));
    return dir.Read("marvo.ini");
  };
  // A player who never zooms keeps the file byte for byte.
  EXPECT_EQ(saved_after_reading(design), design);
  display.Choose(2, false);
  EXPECT_TRUE(WriteSettings(record, form, Portable(dir.path()), reason, display));
  EXPECT_EQ(dir.Read("marvo.ini"), design + "\n[Display]\nZoom=2\nFullScreen=0\n");
  // Once there, the section stays; a value that is no zoom counts as 1.
  EXPECT_EQ(saved_after_reading(design + "[display]\nzoom = 3\n"),
            design + "[display]\nzoom=3\nFullScreen=0\n");
  EXPECT_EQ(display.zoom, 3);
  const std::tuple<const char*, int, bool> cases[] = {{"Zoom=0\nFullScreen=1", 1, true},
                                                      {"Zoom=-2\nFullScreen=yes", 1, false},
                                                      {"Zoom=2x", 1, false},
                                                      {"Zoom=99999999999", 1, false}};
  for (const auto& [values, zoom, full_screen] : cases) {
    saved_after_reading(design + "[Display]\n" + values + "\n");
    EXPECT_EQ(display.zoom, zoom) << values;
    EXPECT_EQ(display.full_screen, full_screen) << values;
  }
}

TEST(DisplayTest, ZoomStepsStopAtTheLargestFactorThatFitsAndFullScreenIsCentred) {
  const Extent game{539, 391};
  // border width and height, area width and height -> largest zoom
  const int fits[][5] = {{0, 0, 1078, 782, 2},   {1, 0, 1078, 782, 1},  {0, 0, 1617, 781, 1},
                         {10, 30, 1920, 800, 1}, {0, 0, 3840, 2160, 5}, {0, 0, 300, 200, 1}};
  for (const auto& f : fits)
    EXPECT_EQ(LargestZoom(game, {f[0], f[1]}, {f[2], f[3]}), f[4]) << f[2] << "x" << f[3];
  // zoom, step, largest -> new zoom
  const int steps[][4] = {{1, +1, 2, 2}, {2, +1, 2, 2}, {2, -1, 2, 1}, {5, -1, 3, 3}};
  for (const auto& s : steps) EXPECT_EQ(StepZoom(s[0], s[1], s[2]), s[3]) << s[0] << s[1] << s[2];
  // screen width and height -> zoom and the game's top-left corner
  const int screens[][5] = {
      {1280, 1024, 2, 101, 121}, {3840, 2160, 5, 572, 102}, {500, 300, 1, 0, 0}};
  for (const auto& s : screens) {
    const ScreenPlacement place = PlaceOnScreen(game, {s[0], s[1]});
    EXPECT_EQ((std::array<int, 3>{place.zoom, place.x, place.y}),
              (std::array<int, 3>{s[2], s[3], s[4]}))
        << s[0];
  }
}

TEST_F(SettingsTest, AFailedSaveLeavesTheOldFileWhole) {
  const std::string old_text = "[MARVOSTEL]\nHISCORE1=123\n";
  dir.Write("marvo.ini", old_text);
  Read();
  record.HiScore[1] = 999999;
  // A full disk part-way through the new file.
  EXPECT_EQ(testing::RunWithFileSizeLimit(40, [&] { return Write(); }), 0);
  EXPECT_EQ(dir.Read("marvo.ini"), old_text);
}

}  // namespace
}  // namespace marvo
