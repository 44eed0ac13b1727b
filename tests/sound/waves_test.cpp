// The six wave files the build writes beside the game.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The samples by channel of a 16-bit PCM file with the plain 44-byte header the
// build writes; none when the file is anything else.
std::vector<std::vector<int>> Read(const std::string& name, uint32_t& rate) {
  std::ifstream file(std::string(MARVO_GAME_DIR) + "/" + name, std::ios::binary);
  const std::string b((std::istreambuf_iterator<char>(file)), {});
  const auto le = [&](size_t at, int width) {
    uint32_t v = 0;
    while (width-- > 0) v = v << 8 | static_cast<uint8_t>(b[at + width]);
    return v;
  };
  if (b.size() < 44) return {};
  const uint32_t channels = le(22, 2), data = b.size() - 44;
  rate = le(24, 4);
  if (b.compare(0, 4, "RIFF") || le(4, 4) != b.size() - 8 || b.compare(8, 8, "WAVEfmt ") ||
      le(20, 2) != 1 || channels < 1 || channels > 2 || le(28, 4) != 2 * channels * rate ||
      le(34, 2) != 16 || b.compare(36, 4, "data") || le(40, 4) != data)
    return {};
  std::vector<std::vector<int>> samples(channels);
  for (size_t i = 0; i + 1 < data; i += 2)
    samples[i / 2 % channels].push_back(static_cast<int16_t>(le(44 + i, 2)));
  return samples;
}

double Db(const std::vector<int>& s, size_t from, size_t to) {
  double sum = 0.0;
  for (size_t i = from; i < to; ++i) sum += double(s[i]) * s[i];
  return 20.0 * std::log10(std::max(std::sqrt(sum / double(to - from)) / 32768.0, 1e-9));
}

TEST(GameWaves, ArePcmOfTheirLengthsAudibleUnclippedAndTheMusicLoopsWithoutAJump) {
  // Only the two tracks loop for the whole game; the rest play once.
  for (const std::string name :
       {"bgm1.wav", "bgm2.wav", "bgm3.wav", "bgm4.wav", "e1.wav", "p1.wav"}) {
    SCOPED_TRACE(name);
    const bool music = name == "bgm1.wav" || name == "bgm3.wav";
    uint32_t rate = 0;
    const auto samples = Read(name, rate);
    ASSERT_FALSE(samples.empty());
    const double seconds = double(samples[0].size()) / rate;
    EXPECT_TRUE(music ? seconds >= 20.0 : seconds < 3.0) << seconds << " s";
    for (const auto& s : samples) {
      // Headroom: peaks at least 1.5 dB under full scale, and a real level.
      const auto [low, high] = std::minmax_element(s.begin(), s.end());
      EXPECT_LT(std::max(-*low, *high), 27500);
      const double level = Db(s, 0, s.size());
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
      EXPECT_GT(std::min(Db(s, 0, tenth), Db(s, s.size() - tenth, s.size())), level - 12.0);
    }
  }
}

}  // namespace
