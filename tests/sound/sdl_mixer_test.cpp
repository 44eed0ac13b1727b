// The SDL2_mixer backend on SDL's own drivers: "disk" writes the mixed output
// to a file as it plays, in real time, so a test can hear what sounded.

#include "sound/sdl_mixer.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "sound/wavemix.h"

namespace marvo {
namespace {

std::string GameFile(const char* name) { return std::string(MARVO_GAME_DIR) + "/" + name; }
std::string Bytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

// Polls the driver's output, as 16-bit samples, until it holds `samples` or 20 s
// pass: generous, since the driver runs in real time on a machine that may be busy.
std::vector<int16_t> Listen(const std::string& out, size_t samples) {
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  for (;;) {
    const std::string bytes = Bytes(out);
    std::vector<int16_t> heard(bytes.size() / 2);
    std::memcpy(heard.data(), bytes.data(), heard.size() * 2);
    if (heard.size() >= samples || std::chrono::steady_clock::now() > give_up) return heard;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

TEST(SdlMixer, FailsQuietlyWithoutADeviceAndPlaysOnTheDiskDriverUntilFlushed) {
  SdlMixer mixer;
  // Without a sound card ALSA fails to open and must not say why at length;
  // with one it opens, silently too.
  for (const char* driver : {"no-such-driver", "alsa"}) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    const MixSessionHandle session = mixer.ConfigureInit(MixConfig{});
    testing::internal::CaptureStderr();
    const int activated = mixer.Activate(session, true);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << driver;
    EXPECT_TRUE(activated == 0 || mixer.Play({.session = session}) != 0) << driver;
    EXPECT_EQ(mixer.CloseSession(session), 0);
  }

  // Per process: other build trees may run the same test at the same time.
  const std::string out =
      std::filesystem::temp_directory_path() / ("marvo-sdl-" + std::to_string(getpid()));
  std::filesystem::remove(out);
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
  const MixSessionHandle session = mixer.ConfigureInit(MixConfig{});
  ASSERT_EQ(mixer.Activate(session, true), 0);
  EXPECT_EQ(mixer.OpenWave(session, GameFile("absent.wav"), 0, 0), 0u);
  // The long tracks, read only now, sound at once. Other channels are idle.
  for (const char* track : {"bgm1.wav", "bgm3.wav"}) {
    const MixWaveHandle wave = mixer.OpenWave(session, GameFile(track), 0, 0);
    ASSERT_EQ(mixer.Play({.session = session, .channel = 0, .wave = wave}), 0) << track;
    EXPECT_EQ(Mix_Playing(-1), 1);
  }
  ASSERT_EQ(mixer.FlushChannel(session, 0, 0), 0);
  MixPlayParams play{.session = session,
                     .channel = SdlMixer::kChannels,
                     .wave = mixer.OpenWave(session, GameFile("p1.wav"), 0, 0),
                     .loops = kMixLoopForever};
  EXPECT_NE(mixer.Play(play), 0);  // one past the last channel
  play.channel = 3;
  const size_t second = 2 * MIX_DEFAULT_FREQUENCY;  // samples, in stereo
  const size_t played_at = Listen(out, 0).size();
  ASSERT_EQ(mixer.Play(play), 0);  // the star, a sound under 3 s, looping
  // In the next 3.2 s of output the star sounds, and only the loop keeps it going.
  std::vector<int16_t> heard = Listen(out, played_at + second * 16 / 5);
  ASSERT_GE(heard.size(), played_at + second * 16 / 5);
  EXPECT_TRUE(std::any_of(heard.begin() + played_at, heard.end(), [](int16_t v) { return v; }));
  EXPECT_EQ(Mix_Playing(3), 1) << "the loop ended";

  // After a flush, what the driver writes next is silence. A buffer or two
  // mixed before the flush may still arrive: skip a tenth of a second.
  const size_t skip = Listen(out, 0).size() + second / 10;
  ASSERT_EQ(mixer.FlushChannel(session, 3, 0), 0);
  heard = Listen(out, skip + second / 5);  // then listen for 0.2 s
  ASSERT_GE(heard.size(), skip + second / 5);
  EXPECT_TRUE(std::all_of(heard.begin() + skip, heard.end(), [](int16_t v) { return v == 0; }));
  EXPECT_EQ(mixer.CloseSession(session), 0);
  unsetenv("SDL_AUDIODRIVER");
  std::filesystem::remove(out);
}

// Damaged wave files beside the game: nothing is heard from them, nothing is
// said, nothing breaks, and the sound module plays and closes as ever.
TEST(SdlMixer, CorruptOrTruncatedWavesLoadAsNothingAndPlayNothingWithoutFault) {
  const std::string dir =
      std::filesystem::temp_directory_path() / ("marvo-waves-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::string good = Bytes(GameFile("p1.wav"));
  ASSERT_GT(good.size(), 1000u);
  // Cut inside the header, a header whose data never comes, nothing, garbage.
  const std::string files[] = {good.substr(0, 30), good.substr(0, 44), "",
                               "RIFF" + std::string(4096, '\xA5')};
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SdlMixer mixer;
  Wavemix sound(mixer);
  ASSERT_EQ(sound.OpenSound(), -1);
  for (size_t slot = 0; slot < 4; ++slot) {
    const std::string path = dir + "/" + std::to_string(slot) + ".wav";
    std::ofstream(path, std::ios::binary) << files[slot];
    ASSERT_EQ(sound.LoadWave(path), int16_t(slot));
    sound.PlayWave(int32_t(slot), -1);
    sound.StopWave(int32_t(slot));
    sound.PlayWave(int32_t(slot), 0);
  }
  for (size_t slot : {0, 2, 3}) EXPECT_EQ(sound.WaveHandles()[slot], 0u) << slot;
  sound.CloseSound();
  EXPECT_EQ(sound.MixSession(), 0u);
  unsetenv("SDL_AUDIODRIVER");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace marvo
