#include "flow/status.h"

#include <gtest/gtest.h>

#include "flow/hall_of_fame.h"

namespace marvo {
namespace {

TEST(ReadOutFormats, PadToTheirWidthButNeverCut) {
  EXPECT_EQ(FormatScore(0), "000000");
  EXPECT_EQ(FormatScore(12500), "012500");
  EXPECT_EQ(FormatScore(999999), "999999");
  EXPECT_EQ(FormatScore(1000000), "1000000");
  EXPECT_EQ(FormatScore(2147483647), "2147483647");
  EXPECT_EQ(FormatScore(-5), "-000005");
  EXPECT_EQ(FormatTurns(50), "050");
  EXPECT_EQ(FormatTurns(0), "000");
  EXPECT_EQ(FormatTurns(1234), "1234");
  EXPECT_EQ(FormatPlain(1), "1");
  EXPECT_EQ(FormatPlain(10), "10");
  EXPECT_EQ(FormatPlain(1000), "1000");
  EXPECT_EQ(HallOfFameCaption(1, 10000), "TOP : 010000");
  EXPECT_EQ(HallOfFameCaption(2, 0), "No2 : 000000");
  EXPECT_EQ(HallOfFameCaption(5, 1500000), "No5 : 1500000");
}

TEST(HallOfFamePanel, ShowsAndHidesTheHeadingAndFiveEntriesOnly) {
  MainFormModel form;
  const std::vector<const Label*> panel = {&form.lblHSCTitle, &form.lblHSC1, &form.lblHSC2,
                                           &form.lblHSC3,     &form.lblHSC4, &form.lblHSC5};
  ShowHallOfFame(form, -1);
  for (const Label* label : panel) EXPECT_TRUE(label->visible) << label->name;
  for (const Label* label : {&form.lblMsg, &form.lblbonus1, &form.lblbonus2}) {
    EXPECT_FALSE(label->visible) << label->name;
  }
  ShowHallOfFame(form, 0);
  for (const Label* label : panel) EXPECT_FALSE(label->visible) << label->name;
}

TEST(HallOfFamePanel, RefreshWritesEveryEntryAndLeavesVisibilityAlone) {
  MainFormModel form;
  GameRecord record;
  record.HiScore = {0, 1234567, 10000, 5000, 40, 0};
  form.lblHSC3.visible = true;
  RefreshHallOfFame(record, form);
  EXPECT_EQ(form.lblHSC1.caption, "TOP : 1234567");
  EXPECT_EQ(form.lblHSC2.caption, "No2 : 010000");
  EXPECT_EQ(form.lblHSC3.caption, "No3 : 005000");
  EXPECT_EQ(form.lblHSC4.caption, "No4 : 000040");
  EXPECT_EQ(form.lblHSC5.caption, "No5 : 000000");
  EXPECT_TRUE(form.lblHSC3.visible);
  EXPECT_FALSE(form.lblHSC1.visible);
  EXPECT_EQ(form.lblHSCTitle.caption, "HALL OF FAME");
}

std::array<int32_t, 6> Entered(std::array<int32_t, 6> table, int32_t score) {
  GameRecord record;
  record.HiScore = table;
  EnterHighScore(record, score);
  return record.HiScore;
}

TEST(EnterHighScore, RanksWithOnePassFromTheBottomAndEarlierScoresWinTies) {
  const std::array<int32_t, 6> table = {0, 10000, 5000, 4000, 3000, 2000};
  // A tie goes below the entry it equals.
  EXPECT_EQ(Entered(table, 4000), (std::array<int32_t, 6>{0, 10000, 5000, 4000, 4000, 3000}));
  EXPECT_EQ(Entered(table, 1999), table);
  EXPECT_EQ(Entered(table, 2000), table);
  EXPECT_EQ(Entered(table, 12000), (std::array<int32_t, 6>{0, 12000, 10000, 5000, 4000, 3000}));
  EXPECT_EQ(Entered(table, 0), table);
  EXPECT_EQ(Entered(table, 4001), (std::array<int32_t, 6>{0, 10000, 5000, 4001, 4000, 3000}));
  EXPECT_EQ(Entered({0, 0, 0, 0, 0, 0}, 0), (std::array<int32_t, 6>{0, 0, 0, 0, 0, 0}));
}

TEST(EnterHighScore, UsesAnUnsortedTableAsItStands) {
  const std::array<int32_t, 6> rising = {0, 2000, 3000, 4000, 5000, 10000};
  EXPECT_EQ(Entered(rising, 6000), rising);
  EXPECT_EQ(Entered(rising, 12000), (std::array<int32_t, 6>{0, 12000, 2000, 3000, 4000, 5000}));
}

}  // namespace
}  // namespace marvo
