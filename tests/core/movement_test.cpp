#include "engine/movement.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

#include "engine/field.h"
#include "engine/game_record.h"
#include "tests/support/virtual_platform.h"

namespace marvo {
namespace {

using Hit = std::tuple<int, int, Color>;  // where the head read what

// Records what the loop hands over; unless told otherwise it ends the run at
// the first hit outside the inside window, as the crash rule does.
class MovementTest : public testing::Test, public HitResolver {
 protected:
  MovementTest() : field(kFieldWidth, kFieldHeight) {
    r.StoreStartUpValues();
    DrawFieldBorder(field);
  }
  void ResolveHit() override {
    hits.push_back({r.HeadX, r.HeadY, r.HitColor});
    if (on_hit) return on_hit();
    if (!InsideWindow(r.HeadX, r.HeadY)) r.StopFlag = 1;
  }
  void Place(int x, int y, int16_t heading) {
    r.HeadX = int16_t(x), r.HeadY = int16_t(y), r.Heading = heading, r.StopFlag = 0, hits.clear();
  }

  GameRecord r;
  Surface field;
  std::vector<Hit> hits;
  std::function<void()> on_hit;
  support::VirtualPlatform platform;
};

TEST_F(MovementTest, TicksNeedStrictlyMoreThanTheIntervalReadThenPlotAndNeverCatchUp) {
  // From the start corner the first tick lands on (5, 5), reads what is there,
  // then plots. The first wait ends exactly one interval on: no tick yet.
  Place(2, 2, kDownRight);
  field.Point(5, 5, kSilver);
  const double start = platform.Clock();
  on_hit = [&] {
    EXPECT_EQ(field.GetPixel(5, 5), kSilver) << "plotted before the read";
    EXPECT_GT(platform.Clock() - start, 0.01) << "a tick on the interval itself";
    r.StopFlag = 1;
  };
  MoveHead(r, field, platform, *this);
  EXPECT_EQ(hits, (std::vector<Hit>{{5, 5, kSilver}}));
  EXPECT_EQ(field.GetPixel(5, 5), kWhite);

  // A wait that took five seconds moves the head one step, and the next tick
  // is timed from a fresh reading: one more step a tick after the stall.
  Place(50, 50, kDownRight);
  platform.StallAt(platform.Clock(), 5.0);
  platform.After(5.015, [&] { r.StopFlag = 1; });
  MoveHead(r, field, platform, *this);
  EXPECT_EQ(std::pair(r.HeadX, r.HeadY), std::pair(int16_t(56), int16_t(56)));
  EXPECT_TRUE(hits.empty());
}

TEST_F(MovementTest, TheStartLatticeDecidesWhichBorderLinesTheHeadLandsOn) {
  const struct {
    int x, y;
    int16_t heading;
    Hit first_hit;
  } cases[] = {
      // First stage, start (2, 2): lands on the border column 443 and the
      // corner, but passes row 338, reads black at 341 and ends outside at 344.
      {422, 100, kDownRight, {443, 121, kWhite}},
      {92, 332, kDownRight, {104, 344, kInvalidColor}},
      {17, 17, kUpLeft, {2, 2, kWhite}},
      // Later stages, start (4, 4): passes 442 to end at 448; lands on row 340.
      {424, 64, kDownRight, {448, 88, kInvalidColor}},
      {64, 334, kDownRight, {70, 340, kWhite}},
  };
  for (const auto& c : cases) {
    Place(c.x, c.y, c.heading);
    MoveHead(r, field, platform, *this);
    EXPECT_EQ(hits, (std::vector<Hit>{c.first_hit})) << c.x << "," << c.y;
  }
}

// A goal restarts the head at (4, 4): its trail point goes there. Key presses
// run inside the yields and turn the head on the next tick.
TEST_F(MovementTest, AHitThatMovesTheHeadGetsItsTrailPointWhereTheHeadNowIsAndKeysTurnIt) {
  field.Point(20, 20, kRed);
  Place(17, 17, kDownRight);
  on_hit = [&] { r.HeadX = r.HeadY = 4, field.AssignPicture(nullptr); };
  platform.After(0.025, [&] { r.Heading = r.NextHeading[r.Heading]; });
  platform.After(0.045, [&] { r.StopFlag = 1; });
  MoveHead(r, field, platform, *this);
  EXPECT_EQ(std::tuple(field.GetPixel(4, 4), field.GetPixel(7, 7), field.GetPixel(20, 20)),
            std::tuple(kWhite, kWhite, kBlack));
  EXPECT_EQ(std::pair(field.GetPixel(10, 4), field.GetPixel(10, 10)), std::pair(kWhite, kBlack));
}

}  // namespace
}  // namespace marvo
