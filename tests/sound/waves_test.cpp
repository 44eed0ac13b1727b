// The six wave files the build writes beside the game.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Wave {
  bool valid = false;
  int channels = 0;
  int rate = 0;
  std::vector<std::vector<int>> samples;  // by channel

  double Seconds() const { return samples.empty() ? 0.0 : double(samples[0].size()) / rate; }
};

uint32_t Le(const std::string& bytes, size_t at, int width) {
  uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(bytes[at + i]);
  return v;
}

// Reads a RIFF WAVE file of 16-bit PCM, walking its chunks as any player does.
Wave Read(const std::string& name) {
  std::ifstream file(std::string(MARVO_GAME_DIR) + "/" + name, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), {});
  Wave wave;
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") || bytes.compare(8, 4, "WAVE")) return wave;
  if (Le(bytes, 4, 4) != bytes.size() - 8) return wave;
  bool format_ok = false;
  for (size_t at = 12; at + 8 <= bytes.size();) {
    const std::string id = bytes.substr(at, 4);
    const size_t size = Le(bytes, at + 4, 4);
    const size_t body = at + 8;
    if (body + size > bytes.size()) return wave;
    if (id == "fmt ") {
      wave.channels = Le(bytes, body + 2, 2);
      wave.rate = Le(bytes, body + 4, 4);
      format_ok = Le(bytes, body, 2) == 1 && Le(bytes, body + 14, 2) == 16 &&
                  (wave.channels == 1 || wave.channels == 2) &&
                  Le(bytes, body + 12, 2) == 2u * wave.channels &&
                  Le(bytes, body + 8, 4) == 2u * wave.channels * wave.rate;
    } else if (id == "data" && format_ok) {
      wave.samples.assign(wave.channels, {});
      for (size_t i = 0; i + 2 <= size; i += 2)
        wave.samples[(i / 2) % wave.channels].push_back(
            static_cast<int16_t>(Le(bytes, body + i, 2)));
      wave.valid = size % (2 * wave.channels) == 0;
    }
    at = body + size + size % 2;
  }
  return wave;
}

double Rms(const std::vector<int>& s, size_t from, size_t to) {
  double sum = 0.0;
  for (size_t i = from; i < to; ++i) sum += double(s[i]) * s[i];
  return std::sqrt(sum / double(to - from)) / 32768.0;
}

double Db(double level) { return 20.0 * std::log10(std::max(level, 1e-9)); }

struct Expected {
  const char* name;
  double min_seconds, max_seconds;
  bool loops;
};

const Expected kFiles[] = {
    {"bgm1.wav", 20.0, 60.0, true}, {"bgm2.wav", 1.0, 3.0, false}, {"bgm3.wav", 20.0, 60.0, true},
    {"bgm4.wav", 1.0, 3.0, false},  {"e1.wav", 0.3, 2.5, false},   {"p1.wav", 0.2, 1.5, false},
};

TEST(GameWaves, AreValidPcmOfTheirLengthsAudibleAndNeverClipped) {
  for (const Expected& e : kFiles) {
    SCOPED_TRACE(e.name);
    const Wave wave = Read(e.name);
    ASSERT_TRUE(wave.valid);
    EXPECT_TRUE(wave.rate == 44100 || wave.rate == 22050);
    EXPECT_GE(wave.Seconds(), e.min_seconds);
    EXPECT_LT(wave.Seconds(), e.max_seconds);
    for (const auto& s : wave.samples) {
      const int peak = *std::max_element(s.begin(), s.end(),
                                         [](int a, int b) { return std::abs(a) < std::abs(b); });
      // Headroom: peaks at least 1.5 dB under full scale, and a real level.
      EXPECT_LT(std::abs(peak), 27500);
      EXPECT_GT(Db(Rms(s, 0, s.size())), -32.0);
    }
  }
}

TEST(GameWaves, MusicNeverFallsSilentAndOneShotsStartAndEndAtRest) {
  for (const Expected& e : kFiles) {
    SCOPED_TRACE(e.name);
    const Wave wave = Read(e.name);
    ASSERT_TRUE(wave.valid);
    for (const auto& s : wave.samples) {
      if (e.loops) {
        // No dead second anywhere in a track that loops for the whole game.
        for (size_t from = 0; from + wave.rate <= s.size(); from += wave.rate / 2)
          EXPECT_GT(Db(Rms(s, from, from + wave.rate)), -40.0) << "at " << from / wave.rate << " s";
      } else {
        // A sound played once must not click as it starts or stops.
        EXPECT_LT(std::abs(s.front()), 200);
        EXPECT_LT(std::abs(s.back()), 30);
      }
    }
  }
}

TEST(GameWaves, LoopsJoinWithoutAJump) {
  for (const Expected& e : kFiles) {
    if (!e.loops) continue;
    SCOPED_TRACE(e.name);
    const Wave wave = Read(e.name);
    ASSERT_TRUE(wave.valid);
    for (const auto& s : wave.samples) {
      // The step from the last sample to the first must look like any other
      // step in the piece: no larger than the 99th percentile of them all.
      std::vector<int> steps;
      for (size_t i = 1; i < s.size(); ++i) steps.push_back(std::abs(s[i] - s[i - 1]));
      std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
      const int usual = steps[steps.size() * 99 / 100];
      EXPECT_LE(std::abs(s.front() - s.back()), usual);
      // And the piece does not fade out and back in round the join.
      const size_t tenth = wave.rate / 10;
      const double whole = Db(Rms(s, 0, s.size()));
      EXPECT_GT(Db(Rms(s, s.size() - tenth, s.size())), whole - 12.0);
      EXPECT_GT(Db(Rms(s, 0, tenth)), whole - 12.0);
    }
  }
}

}  // namespace
