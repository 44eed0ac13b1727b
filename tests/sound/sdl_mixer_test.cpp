// The SDL2_mixer backend and the game's wave files on SDL's own drivers: "disk" writes the mixed
// output to a file as it plays, in real time, so a test can hear what sounded.

#include "sound/sdl_mixer.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

#include "generated/game_files.h"
#include "shell/file_io.h"
#include "tests/support/temp_dir.h"

namespace marvo {
namespace {

std::string GameFile(const char* name) { return std::string(MARVO_GAME_DIR) + "/" + name; }

// Polls the driver's output, as 16-bit samples, until it holds `samples` or 20 s
// pass: generous, since the driver runs in real time on a machine that may be busy.
std::vector<int16_t> Listen(const support::TempDir& dir, size_t samples) {
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  for (;;) {
    const std::string bytes = dir.Read("out.raw");
    std::vector<int16_t> heard(bytes.size() / 2);
    std::memcpy(heard.data(), bytes.data(), heard.size() * 2);
    if (heard.size() >= samples || std::chrono::steady_clock::now() > give_up) return heard;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

TEST(SdlMixer, FailsQuietlyWithoutADeviceAndPlaysOnTheDiskDriverUntilFlushed) {
  SdlMixer mixer(ReadWaveFile), no_library(ReadWaveFile, "libSDL2_mixer-absent.so");
  // Without a sound card ALSA fails to open and must not say why at length;
  // with one it opens, silently too. Without the mixer's library nothing opens.
  for (const std::string driver : {"no-such-driver", "alsa", "dummy"}) {
    SdlMixer& tried = driver == "dummy" ? no_library : mixer;
    setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
    const MixSessionHandle session = tried.ConfigureInit(MixConfig{});
    testing::internal::CaptureStderr();
    const int activated = tried.Activate(session, true);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << driver;
    EXPECT_TRUE(activated == 0 ? &tried == &mixer : tried.Play({.session = session}) != 0);
    EXPECT_EQ(tried.CloseSession(session), 0);
  }

  const support::TempDir out;
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", (out / "out.raw").c_str(), 1);
  const MixSessionHandle session = mixer.ConfigureInit(MixConfig{});
  ASSERT_EQ(mixer.Activate(session, true), 0);
  // A missing file and a damaged one load as nothing.
  out.Write("bad.wav", "RIFF" + std::string(4096, '\xA5'));
  for (const std::string& bad : {GameFile("absent.wav"), out / "bad.wav"})
    EXPECT_EQ(mixer.OpenWave(session, bad, 0, 0), 0u) << bad;
  // The long tracks, read only now, sound at once. Other channels are idle.
  for (const char* track :
       {kWaveTrack1Music, kWaveTrack1Closing, kWaveTrack2Music, kWaveTrack2Closing}) {
    const MixWaveHandle wave = mixer.OpenWave(session, GameFile(track), 0, 0);
    ASSERT_EQ(mixer.Play({.session = session, .channel = 0, .wave = wave}), 0) << track;
    EXPECT_EQ(Mix_Playing(-1), 1);
  }
  ASSERT_EQ(mixer.FlushChannel(session, 0, 0), 0);
  MixPlayParams play{.session = session,
                     .channel = SdlMixer::kChannels,
                     .wave = mixer.OpenWave(session, GameFile(kWaveStar), 0, 0),
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
}

// The six wave files the build writes beside the game, as SDL decodes them for
// the game's output.
TEST(GameWaves, AreOfTheirLengthsAudibleUnclippedAndTheMusicLoopsWithoutAJump) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SdlMixer mixer(ReadWaveFile);
  ASSERT_EQ(mixer.Activate(mixer.ConfigureInit(MixConfig{}), true), 0);
  int rate = 0, channels = 0;
  Uint16 format = 0;
  ASSERT_TRUE(Mix_QuerySpec(&rate, &format, &channels) && format == AUDIO_S16SYS);
  const auto db = [](const std::vector<int>& s, size_t from, size_t to) {
    double sum = 0.0;
    for (size_t i = from; i < to; ++i) sum += double(s[i]) * s[i];
    return 20.0 * std::log10(std::max(std::sqrt(sum / double(to - from)) / 32768.0, 1e-9));
  };
  for (const std::string name : kWaveFiles) {
    SCOPED_TRACE(name);
    // Only the two tracks loop for the whole game; the rest play once.
    const bool music = name == kWaveTrack1Music || name == kWaveTrack2Music;
    Mix_Chunk* chunk = Mix_LoadWAV(GameFile(name.c_str()).c_str());
    ASSERT_NE(chunk, nullptr);
    std::vector<std::vector<int>> samples(channels);
    const auto* pcm = reinterpret_cast<const int16_t*>(chunk->abuf);
    for (size_t i = 0; i < chunk->alen / 2; ++i) samples[i % channels].push_back(pcm[i]);
    Mix_FreeChunk(chunk);
    const double seconds = double(samples[0].size()) / rate;
    EXPECT_TRUE(music ? seconds >= 20.0 : seconds < 3.0) << seconds << " s";
    for (const auto& s : samples) {
      // Headroom: peaks at least 1.5 dB under full scale, and a real level.
      const auto [low, high] = std::minmax_element(s.begin(), s.end());
      EXPECT_LT(std::max(-*low, *high), 27500);
      const double level = db(s, 0, s.size());
      EXPECT_GT(level, -32.0);
      if (!music) continue;
      // The step from the last sample to the first must look like any other
      // step in the piece: no larger than the 99th percentile of them all...
      std::vector<int> steps;
      for (size_t i = 1; i < s.size(); ++i) steps.push_back(std::abs(s[i] - s[i - 1]));
      std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
      EXPECT_LE(std::abs(s.front() - s.back()), steps[steps.size() * 99 / 100]);
      // ...and the piece does not fade out and back in round the join.
      const size_t tenth = rate / 10;
      EXPECT_GT(std::min(db(s, 0, tenth), db(s, s.size() - tenth, s.size())), level - 12.0);
    }
  }
  unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
}  // namespace marvo
