#include "flow/status.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "flow/hall_of_fame.h"

namespace marvo {
namespace {

TEST(ReadOutFormats, PadToTheirWidthButNeverDropADigit) {
  EXPECT_EQ(FormatScore(12500), "012500");
  EXPECT_EQ(FormatScore(1234567), "1234567");
  EXPECT_EQ(FormatTurns(50), "050");
  EXPECT_EQ(FormatPlain(10), "10");
  EXPECT_EQ(HallOfFameCaption(1, 10000), "TOP : 010000");
  EXPECT_EQ(HallOfFameCaption(5, 1500000), "No5 : 1500000");
}

TEST(EnterHighScore, RanksInOnePassFromTheBottomWithTiesPlacedBelow) {
  using Table = std::array<int32_t, 6>;
  const Table sorted = {0, 10000, 5000, 4000, 3000, 2000};
  const Table rising = {0, 2000, 3000, 4000, 5000, 10000};  // as a settings file may hold it
  const std::tuple<Table, int32_t, Table> cases[] = {
      {sorted, 12000, {0, 12000, 10000, 5000, 4000, 3000}},
      {sorted, 4000, {0, 10000, 5000, 4000, 4000, 3000}},
      {sorted, 2000, sorted},
      // A tie stops the pass below the entry it equals, even over lower ones.
      {{0, 3000, 4000, 1000, 1000, 1000}, 4000, {0, 3000, 4000, 4000, 1000, 1000}},
      {rising, 10000, {0, 10000, 2000, 3000, 4000, 5000}},  // equal to the fifth: enters
      {rising, 6000, rising},
      {Table{}, 0, Table{}},
  };
  for (const auto& [table, score, expected] : cases) {
    GameRecord record;
    record.HiScore = table;
    EnterHighScore(record, score);
    EXPECT_EQ(record.HiScore, expected) << score;
  }
}

}  // namespace
}  // namespace marvo
