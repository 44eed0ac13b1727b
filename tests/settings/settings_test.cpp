#include "shell/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "generated/game_files.h"
#include "shell/display.h"
#include "shell/paths.h"
#include "shell/profile.h"
#include "tests/support/temp_dir.h"

namespace marvo {
namespace {

class SettingsTest : public testing::Test {
 protected:
  void Read(DisplayChoice* display = nullptr, Options* options = nullptr) {
    ReadSettings(record, form, files, display, options);
  }
  bool Save(const DisplayChoice& display = {}, const Options& options = {},
            SaveScope scope = SaveScope::kEverything) {
    return SaveSettings(scope, record, form, files, pending, reason, display, options);
  }
  // The music menus as ReadSettings leaves them, 1 for on: the music submenu
  // enabled, On and Off checked; the track submenu enabled, Track 1 enabled and
  // checked, Track 2 enabled and checked.
  std::string Menu() const {
    std::string bits;
    for (bool on : {form.MMS_BGM.enabled, form.MMG_BGMU.checked, form.MMG_BGMN.checked,
                    form.MMS_BGM2.enabled, form.MMG_BGMT1.enabled, form.MMG_BGMT1.checked,
                    form.MMG_BGMT2.enabled, form.MMG_BGMT2.checked})
      bits += on ? '1' : '0';
    return bits.insert(3, " ");
  }

  support::TempDir dir;
  GameFiles files = LocateGameFiles(dir.path(), {});  // a copy of the game it can write
  GameRecord record;
  MainFormModel form;
  std::string reason;
  std::vector<FinishedGame> pending;
};

TEST_F(SettingsTest, TheMusicSwitchAndTrackFollowTheFileAndTheTrackFilesThere) {
  struct Case {
    const char* tracks;  // which of bgm1.wav and bgm3.wav are there
    std::string ini;
    int read_track;
    std::string menu, saved;  // saved: BGM and BGM_TYPE
  };
  const Case cases[] = {
      {"13", "", 1, "110 11110", "01"},  // no file yet: music on, track one
      // Any non-zero switch is off; any track other than one is track two.
      {"13", "BGM=7", 1, "101 11110", "11"},
      {"13", "BGM_TYPE=5", 5, "110 11011", "02"},
      {"13", "BGM=+\nBGM_TYPE=-", 1, "110 11110", "01"},  // no numbers: the defaults
      // A missing track file forces the other track.
      {"3", "BGM_TYPE=1", 2, "110 10011", "02"},
      {"1", "BGM_TYPE=2", 1, "110 11100", "01"},
      // Without music files both menus are off and music stays off.
      {"", "BGM=0\nBGM_TYPE=2", 1, "001 01010", "11"},
  };
  // The menu's state as the window opens would hide a step that forgot to set something.
  form.MMG_BGMU.checked = form.MMG_BGMT1.checked = false;
  form.MMG_BGMT2.checked = true;
  record.BgmTrack = 7;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ini);
    support::TempDir folder;
    // The end-of-game music does not count, nor a folder of a track's name.
    folder.Write(kWaveTrack1Closing, "RIFF");
    if (std::strchr(c.tracks, '1')) folder.Write(kWaveTrack1Music, "RIFF");
    if (!std::strchr(c.tracks, '1')) ::mkdir((folder / kWaveTrack1Music).c_str(), 0700);
    if (std::strchr(c.tracks, '3')) folder.Write(kWaveTrack2Music, "RIFF");
    folder.Write("marvo.ini", "[MARVOSTEL]\n" + c.ini + "\n");
    files = LocateGameFiles(folder.path(), {});
    Read();
    EXPECT_EQ(record.BgmTrack, c.read_track);
    EXPECT_EQ(Menu(), c.menu);
    EXPECT_TRUE(Save());
    const Profile saved = Profile::Parse(folder.Read("marvo.ini"));
    EXPECT_EQ(saved.Get("MARVOSTEL", "BGM", "") + saved.Get("MARVOSTEL", "BGM_TYPE", ""), c.saved);
  }
}

TEST_F(SettingsTest, ScoresAreUsedAsReadAndAValueThatIsNoNumberCountsAsTheKeysDefault) {
  dir.Write("marvo.ini",
            "[MARVOSTEL]\nHISCORE1=-2147483648\nHISCORE2=900\nHISCORE3=05000\nHISCORE4=-7\n"
            "HISCORE5=+0002147483647\n");
  Read();
  EXPECT_EQ(record.HiScore, (HallOfFame{0, -2147483647 - 1, 900, 5000, -7, 2147483647}));
  dir.Write("marvo.ini",
            "[MARVOSTEL]\nHISCORE1=5abc\nHISCORE2=2147483648\n"
            "HISCORE3=-2147483649\nHISCORE4=  12  \nHISCORE5= - 5\n");
  Read();
  EXPECT_EQ(record.HiScore, (HallOfFame{0, 10000, 5000, 4000, 12, 2000}));
}

TEST_F(SettingsTest, TheDisplayAndOptionsSectionsStayOnceThereAndBadValuesReadAsTheDefaults) {
  DisplayChoice display;
  Options options;
  const auto saved = [&](const std::string& text, bool change = false) {
    dir.Write("marvo.ini", text);
    display = {};
    Read(&display, &options);
    if (change) options.speed = Speed::k50, options.remembered = true;  // as the menu does
    EXPECT_TRUE(Save(display, options));
    return dir.Read("marvo.ini");
  };
  // A player who never zooms nor changes an option keeps the file as it was (the
  // end-to-end scripts check it byte for byte); once there, a section stays.
  const std::string untouched = saved("[MARVOSTEL]\nBGM=1\n");
  EXPECT_EQ(std::count(untouched.begin(), untouched.end(), '['), 1) << untouched;
  EXPECT_EQ(options, Options{});
  EXPECT_TRUE(saved("[display]\nzoom = 3\n")
                  .starts_with("[display]\nzoom=3\nFullScreen=0\n\n[MARVOSTEL]\n"));
  EXPECT_EQ(display.zoom, 3);
  EXPECT_TRUE(
      saved("", true).ends_with("[Options]\nPauseOnFocusLoss=0\nOneButtonStart=0\n"
                                "HeldKeyTurnsOnce=0\nSpeed=50\nShowBestRun=0\n"));
  saved(dir.Read("marvo.ini"));  // read back, kept when untouched
  EXPECT_EQ(std::tuple(options.speed, options.remembered), std::tuple(Speed::k50, true));
  // A value that is no zoom counts as 1; full screen and the options are on only as "1".
  for (const std::string values :
       {"Zoom=0\nFullScreen=1", "Zoom=-2\nFullScreen=yes", "Zoom=2x", "Zoom=99999999999"}) {
    saved("[Display]\n" + values + "\n");
    EXPECT_EQ(std::tuple(display.zoom, display.full_screen), std::tuple(1, values.ends_with("=1")))
        << values;
  }
  saved(
      "[Options]\nSpeed=60\nOneButtonStart=yes\nHeldKeyTurnsOnce=1\nPauseOnFocusLoss=1\n"
      "ShowBestRun=1\n");
  EXPECT_EQ(std::tuple(options.speed, options.one_button_start, options.held_key_turns_once,
                       options.pause_on_focus_loss, options.show_best_run),
            std::tuple(Speed::k100, false, true, true, true));
}

TEST_F(SettingsTest, AUtf16FileIsReadAndStaysUtf16ByteForByteApartFromTheChangedKeys) {
  // Japanese, a surrogate pair and CRLF line ends, in either byte order.
  const std::u16string before =
      u"\uFEFF; \u30cf\u30a4\u30b9\u30b3\u30a2 \U0001F3AE\r\n[Other]\r\nname=\u30de\r\n"
      u"[MARVOSTEL]\r\nBGM=1\r\nBGM_TYPE=1\r\nHISCORE1=600\r\nHISCORE2=500\r\n"
      u"HISCORE3=400\r\nHISCORE4=300\r\nHISCORE5=200\r\n";
  const std::u16string after = before.substr(0, before.find(u"HISCORE3=")) +
                               u"HISCORE3=450\r\nHISCORE4=400\r\nHISCORE5=300\r\n";
  const auto utf16 = [](const std::u16string& text, bool le) {
    std::string bytes;
    for (char16_t u : text) bytes += {char(le ? u & 0xFF : u >> 8), char(le ? u >> 8 : u & 0xFF)};
    return bytes;
  };
  for (bool le : {true, false}) {
    dir.Write("marvo.ini", utf16(before, le));
    Read();
    pending = {{450, Speed::k100}};
    EXPECT_TRUE(record.HiScore[1] == 600 && Save()) << reason;
    EXPECT_EQ(dir.Read("marvo.ini"), utf16(after, le)) << le;
  }
}

// The 1280 x 1024 screen at 2x is the end-to-end zoom script's; here the
// screens that script cannot have.
TEST(DisplayTest, ZoomStopsAtTheLargestFactorThatFitsBothWaysAndFullScreenIsCentred) {
  const Extent game{539, 391};
  // border width and height, area width and height -> largest zoom
  const int fits[][5] = {{1, 0, 1078, 782, 1}, {0, 0, 1617, 781, 1}, {0, 0, 3840, 2160, 5}};
  for (const auto& f : fits)
    EXPECT_EQ(LargestZoom(game, {f[0], f[1]}, {f[2], f[3]}), f[4]) << f[2] << "x" << f[3];
  EXPECT_EQ(StepZoom(5, -1, 3), 3);  // the window moved to a smaller screen
  EXPECT_EQ(StepZoom(1, -1, 2), 1);
  // screen width and height -> zoom and the game's top-left corner
  const int screens[][5] = {{3840, 2160, 5, 572, 102}, {500, 300, 1, 0, 0}};
  for (const auto& s : screens) {
    const ScreenPlacement place = PlaceOnScreen(game, {s[0], s[1]});
    EXPECT_EQ(std::tuple(place.zoom, place.x, place.y), std::tuple(s[2], s[3], s[4])) << s[0];
  }
}

TEST_F(SettingsTest, TheFilesStayBesideAWritableProgramAndAnInstalledOneStartsFromThemOnce) {
  ::mkdir((dir / "games").c_str(), 0755);
  ::mkdir((dir / "share").c_str(), 0755);
  const std::string game = dir / "games";
  // data folder, XDG_CONFIG_HOME and XDG_DATA_HOME -> settings file, replays
  const std::array<std::string, 4> cases[] = {
      {"../none", "/cfg", game + "/marvo.ini", game + "/replays"},  // a portable copy
      {"../share", "/cfg", "/cfg/marvostel/marvo.ini", "/cfg/marvostel/replays"},
      {dir / "share", "", "/home/p/.config/marvostel/marvo.ini",
       "/home/p/.local/share/marvostel/replays"},
      {"../share", "c", "/home/p/.config/marvostel/marvo.ini",  // relative: not used
       "/home/p/.local/share/marvostel/replays"},
  };
  for (const auto& [data_dir, xdg, settings, replays] : cases) {
    const GameFiles found = LocateGameFiles(game, {data_dir, xdg, "/home/p", xdg});
    EXPECT_EQ(std::pair(found.settings, found.replays), std::pair(settings, replays))
        << data_dir << " " << xdg;
  }

  ::mkdir((dir / "games/bgm3.wav").c_str(), 0700);  // a folder is no wave file
  for (const char* name : {"marvo.hlp", kWaveTrack1Music, kWaveTrack2Music})
    dir.Write(name, "RIFF");
  dir.Write("games/marvo.hlp", "beside");
  files = LocateGameFiles(game, {dir.path(), dir / "cfg", "", ""});
  EXPECT_EQ(files.Find("marvo.hlp"), dir / "games/marvo.hlp");
  EXPECT_EQ(files.Find(kWaveTrack2Music), dir / kWaveTrack2Music);
  EXPECT_EQ(files.Find(kWaveCrash), dir / "games/e1.wav");  // missing everywhere
  Read();
  EXPECT_EQ(record.HiScore[1], 10000);  // nothing beside it: the defaults
  // The music menus see the installed music.
  EXPECT_TRUE(form.MMG_BGMT1.enabled && form.MMG_BGMT2.enabled && form.MMG_BGMU.checked);

  // The file beside it, other sections too, starts the player's file, made in
  // a new folder; from then on that file counts alone and the one beside the
  // program is never written.
  const std::string beside = "[MARVOSTEL]\nHISCORE1=777\n[Other]\nK=v\n";
  dir.Write("games/marvo.ini", beside);
  Read();
  EXPECT_EQ(record.HiScore[1], 777);
  pending = {{8888, Speed::k100}};
  EXPECT_TRUE(Save()) << reason;
  const Profile saved = Profile::Parse(dir.Read("cfg/marvostel/marvo.ini"));
  EXPECT_EQ(saved.Get("MARVOSTEL", "HISCORE1", "") + saved.Get("Other", "K", ""), "8888v");
  EXPECT_EQ(dir.Read("games/marvo.ini"), beside);
  Read();
  EXPECT_EQ(record.HiScore[1], 8888);
  if (::geteuid() == 0) return;  // root writes into read-only folders
  ASSERT_EQ(::chmod(game.c_str(), 0555), 0);
  EXPECT_EQ(LocateGameFiles(game, {"", "", "/home/p", ""}).settings,
            "/home/p/.config/marvostel/marvo.ini");
}

// A file edited by hand while the game runs: its table is taken in the file's
// own order, unsorted as it is, and the game's scores join it by the hall of
// fame's rule, each in its speed's table. A game's end writes nothing else.
TEST_F(SettingsTest, AGameEndsScoresJoinTheTableOnDiskAsItStandsAndNothingElseIsWritten) {
  dir.Write("marvo.ini",
            "[MARVOSTEL]\r\nBGM=1\r\nhiscore1 = 300\r\nHISCORE2=9000\r\nHISCORE3=100\r\n"
            "HISCORE4=50\r\nHISCORE5=20\r\n[Speed75]\r\n; mine\r\n");
  pending = {{7000, Speed::k100}, {4000, Speed::k75}, {1999, Speed::k50}};
  EXPECT_TRUE(Save({}, {}, SaveScope::kHallOfFame)) << reason;
  EXPECT_EQ(dir.Read("marvo.ini"),
            "[MARVOSTEL]\r\nBGM=1\r\nhiscore1=300\r\nHISCORE2=9000\r\nHISCORE3=7000\r\nHISCORE4=100"
            "\r\nHISCORE5=50\r\nBGM_TYPE=1\r\n[Speed75]\r\nHISCORE1=10000\r\nHISCORE2=5000"
            "\r\nHISCORE3=4000\r\nHISCORE4=4000\r\nHISCORE5=3000\r\n; mine\r\n");
  EXPECT_EQ(record.HiScore, (HallOfFame{0, 300, 9000, 7000, 100, 50}));
}

// Two processes saving in a loop, each entering scores of its own speed while
// the other rewrites the file: the folder lock keeps every entry.
TEST_F(SettingsTest, TwoProcessesSavingAtOnceLoseNoEntry) {
  pid_t children[2];
  for (int child = 0; child < 2; ++child) {
    children[child] = ::fork();
    if (children[child] != 0) continue;
    for (int round = 1; round <= 60; ++round) {
      form.MMG_BGMU.checked = (round + child) % 2 == 0;  // a new file every round
      if (round % 12 == 0) pending = {{20000 + round, child == 0 ? Speed::k100 : Speed::k75}};
      if (!Save()) ::_exit(1);
    }
    ::_exit(0);
  }
  for (pid_t child : children) {
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  Read();
  const HallOfFame each = {0, 20060, 20048, 20036, 20024, 20012};
  EXPECT_EQ(std::pair(record.HiScore, record.HiScore75), std::pair(each, each));
}

}  // namespace
}  // namespace marvo
