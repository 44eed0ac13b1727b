// The SDL2_mixer backend on SDL's own drivers: "disk" writes the mixed output
// to a file as it plays, in real time, so a test can hear what sounded.

#include "sound/sdl_mixer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include <SDL_mixer.h>
#include <unistd.h>

namespace marvo {
namespace {

std::string GameFile(const char* name) { return std::string(MARVO_GAME_DIR) + "/" + name; }

// Polls the driver's output, as 16-bit samples, until it holds `samples` or 20 s
// pass: generous, since the driver runs in real time on a machine that may be busy.
std::vector<int16_t> Listen(const std::string& out, size_t samples) {
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  for (;;) {
    std::ifstream f(out, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(f)), {});
    std::vector<int16_t> heard(bytes.size() / 2);
    std::memcpy(heard.data(), bytes.data(), heard.size() * 2);
    if (heard.size() >= samples || std::chrono::steady_clock::now() > give_up) return heard;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

TEST(SdlMixer, FailsQuietlyWithoutADeviceAndPlaysOnTheDiskDriverUntilFlushed) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  SdlMixer mixer;
  MixSessionHandle session = mixer.ConfigureInit(MixConfig{});
  EXPECT_NE(mixer.Activate(session, true), 0);
  EXPECT_EQ(mixer.OpenWave(session, GameFile("bgm1.wav"), 0, 0), 0u);
  EXPECT_NE(mixer.Play(MixPlayParams{.session = session}), 0);
  EXPECT_EQ(mixer.CloseSession(session), 0);

  // Per process: other build trees may run the same test at the same time.
  const auto out =
      std::filesystem::temp_directory_path() / ("marvo-sdl-" + std::to_string(getpid()));
  std::filesystem::remove(out);
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
  session = mixer.ConfigureInit(MixConfig{});
  ASSERT_EQ(mixer.Activate(session, true), 0);
  EXPECT_EQ(mixer.OpenWave(session, GameFile("absent.wav"), 0, 0), 0u);
  MixPlayParams play{.session = session, .channel = SdlMixer::kChannels, .loops = kMixLoopForever};
  for (const char* name : {"bgm1.wav", "bgm2.wav", "bgm3.wav", "bgm4.wav", "e1.wav", "p1.wav"}) {
    play.wave = mixer.OpenWave(session, GameFile(name), 0, 0);  // the game's files all decode
    EXPECT_NE(play.wave, 0u) << name;
  }
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
  unsetenv("SDL_DISKAUDIOFILE");
  std::filesystem::remove(out);
}

}  // namespace
}  // namespace marvo
