// The SDL2_mixer backend on SDL's own drivers: "disk" writes the mixed output
// to a file as it plays, in real time, so a test can hear what sounded.

#include "sound/sdl_mixer.h"
#include "sound/wavemix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
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
  SdlMixer mixer;
  MixSessionHandle session = 0;
  // Without a sound card ALSA fails to open and must not say why at length;
  // with one it opens, silently too.
  for (const char* driver : {"no-such-driver", "alsa"}) {
    SCOPED_TRACE(driver);
    setenv("SDL_AUDIODRIVER", driver, 1);
    session = mixer.ConfigureInit(MixConfig{});
    testing::internal::CaptureStderr();
    const int activated = mixer.Activate(session, true);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    if (activated == 0) continue;
    EXPECT_EQ(mixer.OpenWave(session, GameFile("bgm1.wav"), 0, 0), 0u);
    EXPECT_NE(mixer.Play(MixPlayParams{.session = session}), 0);
  }
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
  std::map<std::string, MixWaveHandle> waves;
  for (const char* name : {"bgm1.wav", "bgm2.wav", "bgm3.wav", "bgm4.wav", "e1.wav", "p1.wav"}) {
    play.wave = waves[name] = mixer.OpenWave(session, GameFile(name), 0, 0);
    EXPECT_NE(play.wave, 0u) << name;
  }
  // The long tracks, read only now, sound at once. Other channels are idle.
  for (const char* track : {"bgm1.wav", "bgm3.wav"}) {
    ASSERT_EQ(mixer.Play({.session = session, .channel = 0, .wave = waves[track]}), 0) << track;
    EXPECT_EQ(Mix_Playing(-1), 1);
  }
  ASSERT_EQ(mixer.FlushChannel(session, 0, 0), 0);
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

  // After a flush, what the driver writes next is silence. A few buffers mixed
  // before the flush may still arrive, more of them on a busy machine: skip
  // half a second.
  const size_t skip = Listen(out, 0).size() + second / 2;
  ASSERT_EQ(mixer.FlushChannel(session, 3, 0), 0);
  heard = Listen(out, skip + second / 5);  // then listen for 0.2 s
  ASSERT_GE(heard.size(), skip + second / 5);
  EXPECT_TRUE(std::all_of(heard.begin() + skip, heard.end(), [](int16_t v) { return v == 0; }));

  EXPECT_EQ(mixer.CloseSession(session), 0);
  unsetenv("SDL_AUDIODRIVER");
  unsetenv("SDL_DISKAUDIOFILE");
  std::filesystem::remove(out);
}

// Damaged wave files beside the game: nothing is heard from them, nothing is
// said, nothing breaks, and the sound module plays and closes as ever.
TEST(SdlMixer, CorruptOrTruncatedWavesLoadAsNothingAndPlayNothingWithoutFault) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("marvo-waves-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::ifstream in(GameFile("p1.wav"), std::ios::binary);
  const std::string good((std::istreambuf_iterator<char>(in)), {});
  ASSERT_GT(good.size(), 1000u);
  std::string garbage(4096, '\0');
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = char((i * 7919 + 13) % 251);
  std::string lying = good.substr(0, 44);  // a header whose data never comes
  const std::pair<const char*, std::string> files[] = {
      {"bgm1.wav", good.substr(0, good.size() / 2)},  // cut off half way
      {"bgm2.wav", good.substr(0, 30)},               // cut inside the header
      {"bgm3.wav", lying},
      {"bgm4.wav", garbage},
      {"e1.wav", ""},
      {"p1.wav", "RIFF" + garbage},
  };
  for (const auto& [name, bytes] : files) std::ofstream(dir / name, std::ios::binary) << bytes;

  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SdlMixer mixer;
  Wavemix sound(mixer);
  ASSERT_EQ(sound.OpenSound(), -1);
  for (const auto& [name, bytes] : files) {
    const int16_t slot = sound.LoadWave((dir / name).string());
    sound.PlayWave(slot, -1);
    sound.PlayWave(slot, 0);
    sound.StopWave(slot);
    sound.PlayWave(slot, 0);
  }
  // What is no wave at all holds none; a cut-off file may keep what it has.
  for (size_t slot : {1, 3, 4, 5}) EXPECT_EQ(sound.WaveHandles()[slot], 0u) << files[slot].first;
  sound.CloseSound();
  EXPECT_EQ(sound.MixSession(), 0u);
  unsetenv("SDL_AUDIODRIVER");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace marvo
