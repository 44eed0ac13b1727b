// The SDL2_mixer backend on SDL's own drivers: "disk" writes the mixed output
// to a file as it plays, in real time, so a test can hear what sounded.

#include "sound/sdl_mixer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <thread>

#include <unistd.h>
#include <vector>

#include "engine/game_record.h"
#include "engine/sound_slots.h"
#include "sound/wavemix.h"

namespace marvo {
namespace {

namespace fs = std::filesystem;

constexpr int kRate = 44100;
constexpr size_t kFrameBytes = 4;  // the mixer's output: 16-bit stereo

// Per process: other build trees may run the same test at the same time.
fs::path TempDir(const char* name) {
  const fs::path dir = fs::temp_directory_path() / (name + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

// A 0.1 s tone: far shorter than the test listens, so only looping keeps it going.
void WriteTone(const fs::path& path) {
  const int frames = kRate / 10;
  std::ofstream f(path, std::ios::binary);
  const auto put = [&](uint32_t v, int n) {
    for (int i = 0; i < n; ++i) f.put(static_cast<char>(v >> (8 * i)));
  };
  f.write("RIFF", 4), put(36 + frames * 4, 4), f.write("WAVEfmt ", 8);
  put(16, 4), put(1, 2), put(2, 2), put(kRate, 4), put(kRate * 4, 4), put(4, 2), put(16, 2);
  f.write("data", 4), put(frames * 4, 4);
  for (int i = 0; i < frames; ++i) {
    const auto s =
        static_cast<int16_t>(8000.0 * std::sin(2.0 * std::numbers::pi * 441.0 * i / kRate));
    put(static_cast<uint16_t>(s), 2), put(static_cast<uint16_t>(s), 2);
  }
}

std::vector<int16_t> ReadRaw(const fs::path& path) {
  std::ifstream f(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(f)), {});
  std::vector<int16_t> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
  return samples;
}

// Waits until the output holds at least `frames` frames; generous, since the
// driver runs in real time on a machine that may be busy.
std::vector<int16_t> WaitForFrames(const fs::path& path, size_t frames) {
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  for (;;) {
    std::vector<int16_t> out = ReadRaw(path);
    if (out.size() / 2 >= frames || std::chrono::steady_clock::now() > give_up) return out;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

constexpr size_t kNever = SIZE_MAX;

// The first frame of the output that is not silent.
size_t FirstSound(const fs::path& path) {
  for (size_t frames = kRate / 10;; frames += kRate / 10) {
    const std::vector<int16_t> heard = WaitForFrames(path, frames);
    for (size_t i = 0; i < heard.size(); ++i)
      if (heard[i] != 0) return i / 2;
    if (heard.size() / 2 < frames) return kNever;  // the driver stopped writing
  }
}

int Loudest(const std::vector<int16_t>& s, size_t from_frame, size_t to_frame) {
  int peak = 0;
  for (size_t i = 2 * from_frame; i < 2 * to_frame && i < s.size(); ++i)
    peak = std::max(peak, std::abs(int{s[i]}));
  return peak;
}

TEST(SdlMixer, WithoutAnAudioDeviceTheGameRunsSilent) {
  const fs::path dir = TempDir("marvo-sdl-none-");
  WriteTone(dir / "bgm1.wav");
  const fs::path cwd = fs::current_path();  // opening the module moves into its directory
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  SdlMixer mixer;
  Wavemix sound(mixer, dir.string());
  EXPECT_EQ(sound.OpenSound(), 0);
  EXPECT_EQ(sound.MixSession(), 0u);
  GameRecord game;
  LoadWaveFiles(game, sound, dir.string());
  EXPECT_EQ(game.WaveStar, 5);
  sound.PlayWave(game.WaveBgm1, -1);
  sound.StopWave(game.WaveBgm1);
  sound.CloseSound();
  unsetenv("SDL_AUDIODRIVER");
  fs::current_path(cwd);
  fs::remove_all(dir);
}

TEST(SdlMixer, ALoopSoundsOnTheDiskDriverUntilItsChannelIsFlushed) {
  const fs::path dir = TempDir("marvo-sdl-disk-");
  const fs::path out = dir / "out.raw";
  WriteTone(dir / "tone.wav");
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);

  SdlMixer mixer;
  const MixSessionHandle session = mixer.ConfigureInit(MixConfig{});
  ASSERT_EQ(mixer.Activate(session, true), 0);
  // Every one of the game's own files decodes.
  for (const char* name : {"bgm1.wav", "bgm2.wav", "bgm3.wav", "bgm4.wav", "e1.wav", "p1.wav"})
    EXPECT_NE(mixer.OpenWave(session, std::string(MARVO_GAME_DIR) + "/" + name, 0, 0), 0u) << name;
  EXPECT_EQ(mixer.OpenWave(session, (dir / "absent.wav").string(), 0, 0), 0u);
  const MixWaveHandle tone = mixer.OpenWave(session, (dir / "tone.wav").string(), 0, 0);
  ASSERT_NE(tone, 0u);

  MixPlayParams play;
  play.session = session;
  play.wave = tone;
  play.loops = kMixLoopForever;
  play.channel = SdlMixer::kChannels;  // one past the last channel: refused
  EXPECT_NE(mixer.Play(play), 0);
  play.channel = 3;
  ASSERT_EQ(mixer.Play(play), 0);

  // Find where the tone begins, then listen well past its 0.1 s.
  const size_t start = FirstSound(out);
  ASSERT_NE(start, kNever) << "nothing sounded";
  std::vector<int16_t> heard;
  heard = WaitForFrames(out, start + kRate / 2);
  EXPECT_GT(Loudest(heard, start + kRate * 4 / 10, start + kRate / 2), 4000) << "the loop ended";

  // After a flush, what the driver writes next is silence. A buffer or two
  // mixed before the flush may still arrive; skip a tenth of a second.
  const size_t flushed_at = ReadRaw(out).size() / 2;
  EXPECT_EQ(mixer.FlushChannel(session, 3, 0), 0);
  heard = WaitForFrames(out, flushed_at + kRate * 3 / 10);
  ASSERT_GE(heard.size() / 2, flushed_at + kRate * 3 / 10);
  EXPECT_EQ(Loudest(heard, flushed_at + kRate / 10, heard.size() / 2), 0);

  EXPECT_EQ(mixer.CloseSession(session), 0);
  EXPECT_NE(mixer.Play(play), 0);  // the session is gone
  unsetenv("SDL_AUDIODRIVER");
  unsetenv("SDL_DISKAUDIOFILE");
  fs::remove_all(dir);
}

}  // namespace
}  // namespace marvo
