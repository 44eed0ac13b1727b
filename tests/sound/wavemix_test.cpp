#include "sound/wavemix.h"

#include <gtest/gtest.h>

#include "engine/game_record.h"
#include "engine/sound_slots.h"
#include "generated/game_files.h"
#include "tests/support/recording_mixer.h"

namespace marvo {
namespace {

// The sound at start-up: the module opened and the game's six files loaded.
struct StartUp {
  explicit StartUp(const std::string& missing = "", bool no_device = false) {
    mixer.missing = {missing};
    mixer.no_device = no_device;
    testing::internal::CaptureStderr();
    opened = sound.OpenSound();
    said = testing::internal::GetCapturedStderr();
    LoadWaveFiles(game, sound, "/game");
  }
  RecordingMixer mixer;
  Wavemix sound{mixer};
  GameRecord game;
  int opened = 0;
  std::string said;  // on stderr
};

TEST(Wavemix, SlotsFollowTheFileTableUpToSevenPlayOnTheirOwnChannelsAndCloseFreesEachWave) {
  const auto& files = kWaveFiles;
  for (const std::string missing : {"", kWaveTrack1Closing, "no device"}) {
    SCOPED_TRACE(missing);
    StartUp s(missing, missing == "no device");
    EXPECT_EQ(s.opened, s.mixer.no_device ? 0 : -1);
    EXPECT_EQ(s.said, s.mixer.no_device ? "no audio device: playing silently\n" : "");
    EXPECT_EQ(s.sound.LoadWave("/game/extra.wav"), 6);
    const int calls = s.mixer.calls;
    EXPECT_EQ(s.sound.LoadWave("/game/eighth.wav"), -1);
    s.sound.PlayWave(7, 0);  // slots out of range never reach the mixer
    s.sound.PlayWave(-1, 0);
    EXPECT_EQ(s.mixer.calls, calls);
    const int32_t slots[] = {s.game.WaveBgm1, s.game.WaveBgm2,  s.game.WaveBgm3,
                             s.game.WaveBgm4, s.game.WaveCrash, s.game.WaveStar};
    for (int32_t i = 0; i < 6; ++i) {
      s.sound.PlayWave(slots[i], 0);  // each slot plays its own file, if it could be read
      EXPECT_EQ(s.mixer.sounding[i], s.mixer.no_device || files[i] == missing ? "" : files[i]);
    }
    s.sound.CloseSound();
    // Without a device nothing reaches the mixer after start-up, and nothing faults.
    EXPECT_EQ(s.mixer.calls == calls, s.mixer.no_device);
    std::vector<MixWaveHandle> read;
    for (const auto& [wave, file] : s.mixer.files) read.push_back(wave);
    EXPECT_EQ(s.mixer.freed, read);
    EXPECT_FALSE(s.mixer.active);  // the session is closed, for good
    const int closed = s.mixer.calls;
    s.sound.CloseSound();
    s.sound.PlayWave(0, -1);
    EXPECT_EQ(s.mixer.calls, closed);
  }
}

}  // namespace
}  // namespace marvo
