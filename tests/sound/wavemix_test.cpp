#include "sound/wavemix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <unistd.h>

#include "engine/game_record.h"
#include "engine/sound_slots.h"
#include "tests/support/recording_mixer.h"

namespace marvo {
namespace {

namespace fs = std::filesystem;

class WavemixTest : public ::testing::Test {
 protected:
  static fs::path TestDir() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return fs::temp_directory_path() /
           ("marvo-wavemix-" + std::string(test->name()) + "-" + std::to_string(getpid()));
  }
  void SetUp() override { fs::create_directories(dir_); }
  void TearDown() override {
    fs::current_path(saved_);
    fs::remove_all(dir_);
  }
  // Opens the module and loads the game's six files, as start-up does.
  void StartUp() {
    sound_.OpenSound();
    LoadWaveFiles(game_, sound_, dir_.string());
  }
  size_t Count(const std::string& prefix) const {
    return std::count_if(mixer_.log.begin(), mixer_.log.end(),
                         [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
  }

  fs::path saved_ = fs::current_path();
  fs::path dir_ = TestDir();
  RecordingMixer mixer_;
  Wavemix sound_{mixer_, dir_.string()};
  GameRecord game_;
};

TEST_F(WavemixTest, SlotsFollowTheFileTableAndEachSlotHoldsItsFile) {
  EXPECT_EQ(sound_.OpenSound(), -1);
  EXPECT_EQ(fs::current_path(), dir_);  // start-up relies on this
  LoadWaveFiles(game_, sound_, dir_.string());

  const int32_t slots[] = {game_.WaveBgm1, game_.WaveBgm2,  game_.WaveBgm3,
                           game_.WaveBgm4, game_.WaveCrash, game_.WaveStar};
  const char* files[] = {"bgm1.wav", "bgm2.wav", "bgm3.wav", "bgm4.wav", "e1.wav", "p1.wav"};
  for (int32_t i = 0; i < 6; ++i) {
    EXPECT_EQ(slots[i], i);
    EXPECT_EQ(mixer_.FileOf(sound_.WaveHandles()[i]), files[i]);
    EXPECT_NE(
        std::find(mixer_.log.begin(), mixer_.log.end(), "OpenWave " + (dir_ / files[i]).string()),
        mixer_.log.end());
  }
  EXPECT_EQ(sound_.WaveCount(), 6);
  EXPECT_EQ(Count("OpenChannel"), 6u);
}

TEST_F(WavemixTest, AMissingFileKeepsItsSlotAndLaterSlotsTheirNumbers) {
  mixer_.missing = {"bgm2.wav"};
  StartUp();
  EXPECT_EQ(game_.WaveBgm2, 1);
  EXPECT_EQ(game_.WaveBgm3, 2);
  EXPECT_EQ(game_.WaveStar, 5);
  EXPECT_EQ(sound_.WaveHandles()[1], 0u);

  // The jingle that is not there is passed on and plays nothing.
  sound_.PlayWave(game_.WaveBgm2, 0);
  ASSERT_EQ(mixer_.plays.size(), 1u);
  EXPECT_EQ(mixer_.plays[0].wave, 0u);
  EXPECT_FALSE(mixer_.Sounding(1));
  sound_.PlayWave(game_.WaveBgm3, -1);
  EXPECT_EQ(mixer_.FileOn(2), "bgm3.wav");
  EXPECT_TRUE(mixer_.Looping(2));

  sound_.CloseSound();
  EXPECT_EQ(Count("FreeWave"), 5u);  // nothing to free in the empty slot
}

TEST_F(WavemixTest, WithoutAMixerSlotsAreStillNumberedAndEveryOperationIsSilent) {
  mixer_.no_device = true;
  EXPECT_EQ(sound_.OpenSound(), 0);
  EXPECT_EQ(sound_.MixSession(), 0u);
  EXPECT_EQ(mixer_.log.back(), "CloseSession");  // the failed session is closed at once
  LoadWaveFiles(game_, sound_, dir_.string());
  EXPECT_EQ(game_.WaveBgm3, 2);
  EXPECT_EQ(game_.WaveStar, 5);

  const size_t calls = mixer_.log.size();
  sound_.PlayWave(game_.WaveBgm1, -1);
  sound_.PlayWave(game_.WaveStar, 0);
  sound_.StopWave(game_.WaveBgm1);
  sound_.CloseSound();
  EXPECT_EQ(mixer_.log.size(), calls);
  EXPECT_TRUE(mixer_.SoundingChannels().empty());
}

TEST_F(WavemixTest, CuesPlayLoopAndStopOnTheirOwnChannels) {
  StartUp();
  sound_.PlayWave(game_.WaveBgm1, -1);
  ASSERT_EQ(mixer_.plays.size(), 1u);
  const MixPlayParams& music = mixer_.plays[0];
  EXPECT_EQ(music.size, 24);
  EXPECT_EQ(music.session, sound_.MixSession());
  EXPECT_EQ(music.channel, 0);
  EXPECT_EQ(music.loops, kMixLoopForever);
  EXPECT_EQ(music.flags, kMixClearQueue | kMixHighPriority);
  EXPECT_EQ(music.notify_window, 0u);

  // Star and crash sound over the music, once each.
  sound_.PlayWave(game_.WaveStar, 0);
  sound_.PlayWave(game_.WaveCrash, 0);
  EXPECT_EQ(mixer_.FileOn(5), "p1.wav");
  EXPECT_EQ(mixer_.FileOn(4), "e1.wav");
  EXPECT_FALSE(mixer_.Looping(5));
  EXPECT_EQ(mixer_.SoundingChannels(), (std::vector<int32_t>{0, 4, 5}));

  // The crash stops the music and nothing else; the jingle follows once.
  sound_.StopWave(game_.WaveBgm1);
  sound_.PlayWave(game_.WaveBgm2, 0);
  EXPECT_EQ(mixer_.SoundingChannels(), (std::vector<int32_t>{1, 4, 5}));
  EXPECT_EQ(mixer_.FileOn(1), "bgm2.wav");

  // Stopping music that never started (music off) is harmless.
  sound_.StopWave(game_.WaveBgm3);
  EXPECT_EQ(mixer_.SoundingChannels(), (std::vector<int32_t>{1, 4, 5}));

  // The next game's music starts over on the same channel.
  sound_.PlayWave(game_.WaveBgm1, -1);
  EXPECT_TRUE(mixer_.Looping(0));
  EXPECT_EQ(mixer_.channels[0].plays, 2);
}

TEST_F(WavemixTest, SlotsOutsideTheLoadedRangeNeverReachTheMixer) {
  sound_.PlayWave(0, 0);  // before the module is open
  EXPECT_TRUE(mixer_.log.empty());

  sound_.OpenSound();
  for (int16_t i = 0; i < 7; ++i) EXPECT_EQ(sound_.LoadWave(dir_.string() + "/x.wav"), i);
  const size_t calls = mixer_.log.size();
  EXPECT_EQ(sound_.LoadWave(dir_.string() + "/eighth.wav"), -1);  // no eighth slot
  sound_.PlayWave(7, 0);
  sound_.PlayWave(-1, 0);
  EXPECT_EQ(mixer_.log.size(), calls);
  EXPECT_EQ(sound_.WaveCount(), 7);
}

TEST_F(WavemixTest, CloseSoundStopsAndFreesEveryWaveOnceThenStaysClosed) {
  StartUp();
  sound_.PlayWave(game_.WaveBgm3, -1);
  sound_.PlayWave(game_.WaveStar, 0);
  sound_.CloseSound();
  EXPECT_EQ(Count("Flush"), 6u);
  EXPECT_EQ(mixer_.freed.size(), 6u);
  EXPECT_EQ(mixer_.log.back(), "CloseSession");
  EXPECT_EQ(sound_.MixSession(), 0u);
  EXPECT_TRUE(mixer_.SoundingChannels().empty());

  const size_t calls = mixer_.log.size();
  sound_.CloseSound();
  sound_.PlayWave(game_.WaveBgm1, -1);
  sound_.StopWave(game_.WaveBgm1);
  EXPECT_EQ(mixer_.log.size(), calls);
}

}  // namespace
}  // namespace marvo
