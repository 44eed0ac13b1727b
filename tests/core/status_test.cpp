#include "flow/status.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "flow/hall_of_fame.h"

namespace marvo {
namespace {

TEST(ReadOutFormats, PadToTheirWidthButNeverDropADigit) {
  EXPECT_EQ(std::tuple(FormatScore(12500), FormatScore(1234567), FormatTurns(50), FormatPlain(10),
                       HallOfFameCaption(1, 10000), HallOfFameCaption(5, 1500000)),
            std::tuple("012500", "1234567", "050", "10", "TOP : 010000", "No5 : 1500000"));
}

TEST(EnterHighScore, RanksInOnePassFromTheBottomWithTiesPlacedBelow) {
  using Table = HallOfFame;
  const Table sorted = {0, 10000, 5000, 4000, 3000, 2000};
  const Table rising = {0, 2000, 3000, 4000, 5000, 10000};  // as a settings file may hold it
  const std::tuple<Table, int32_t, Table> cases[] = {
      {sorted, 12000, {0, 12000, 10000, 5000, 4000, 3000}},
      {sorted, 4000, {0, 10000, 5000, 4000, 4000, 3000}},
      // A tie stops the pass below the entry it equals, even over lower ones.
      {{0, 3000, 4000, 1000, 1000, 1000}, 4000, {0, 3000, 4000, 4000, 1000, 1000}},
      {rising, 10000, {0, 10000, 2000, 3000, 4000, 5000}},  // equal to the fifth: enters
      {rising, 6000, rising},
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
