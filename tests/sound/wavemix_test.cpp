#include "sound/wavemix.h"

#include <gtest/gtest.h>

#include "engine/game_record.h"
#include "engine/sound_slots.h"
#include "generated/game_files.h"
#include "tests/support/recording_mixer.h"

namespace marvo {
namespace {

TEST(Wavemix, SlotsFollowTheFileTableUpToSevenPlayOnTheirOwnChannelsAndCloseFreesEachWave) {
  for (const std::string missing : {"", kWaveTrack1Closing, "no device"}) {
    SCOPED_TRACE(missing);
    // The sound as the first game opens it: the module opened and the six files loaded.
    RecordingMixer mixer;
    mixer.missing = {missing};
    mixer.no_device = missing == "no device";
    Wavemix sound{mixer};
    GameRecord game;
    testing::internal::CaptureStderr();
    EXPECT_EQ(sound.OpenSound(), mixer.no_device ? 0 : -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              mixer.no_device ? "no audio device: playing silently\n" : "");
    LoadWaveFiles(game, sound, "/game");
    EXPECT_EQ(sound.LoadWave("/game/extra.wav"), 6);
    const int calls = mixer.calls;
    EXPECT_EQ(sound.LoadWave("/game/eighth.wav"), -1);
    sound.PlayWave(7, 0);  // slots out of range never reach the mixer
    sound.PlayWave(-1, 0);
    EXPECT_EQ(mixer.calls, calls);
    const int32_t slots[] = {game.WaveBgm1, game.WaveBgm2,  game.WaveBgm3,
                             game.WaveBgm4, game.WaveCrash, game.WaveStar};
    for (int32_t i = 0; i < 6; ++i) {
      sound.PlayWave(slots[i], 0);  // each slot plays its own file, if it could be read
      EXPECT_EQ(mixer.sounding[i],
                mixer.no_device || kWaveFiles[i] == missing ? "" : kWaveFiles[i]);
    }
    sound.CloseSound();
    // Without a device nothing reaches the mixer after start-up, and nothing faults.
    EXPECT_EQ(mixer.calls == calls, mixer.no_device);
    std::vector<MixWaveHandle> read;
    for (const auto& [wave, file] : mixer.files) read.push_back(wave);
    EXPECT_EQ(mixer.freed, read);
    EXPECT_FALSE(mixer.active);  // the session is closed, for good
    const int closed = mixer.calls;
    sound.CloseSound();
    sound.PlayWave(0, -1);
    EXPECT_EQ(mixer.calls, closed);
  }
}

}  // namespace
}  // namespace marvo
