#include "engine/movement.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>

#include "engine/field.h"
#include "engine/game_record.h"
#include "tests/support/virtual_platform.h"

namespace marvo {
namespace {

struct Hit {
  int x, y;
  Color color;
  bool operator==(const Hit&) const = default;
};

// Records what the loop hands over; unless told otherwise it ends the run at
// the first hit outside the inside window, as the crash rule does.
class RecordingHits final : public HitResolver {
 public:
  explicit RecordingHits(GameRecord& r) : r_(r) {}
  void ResolveHit() override {
    hits.push_back({r_.HeadX, r_.HeadY, r_.HitColor});
    if (on_hit) return on_hit();
    if (!InsideWindow(r_.HeadX, r_.HeadY)) r_.StopFlag = 1;
  }
  std::vector<Hit> hits;
  std::function<void()> on_hit;

 private:
  GameRecord& r_;
};

// Shows a scripted clock reading at each Yield; the run ends with the script.
class ScriptedClock final : public Platform {
 public:
  ScriptedClock(GameRecord& r, std::deque<double> readings) : r_(r), readings_(readings) {}
  double Clock() override { return now_; }
  uint32_t ClockSeed() override { return 0; }
  void Yield(double) override {
    if (readings_.empty()) {
      r_.StopFlag = 1;
      return;
    }
    now_ = readings_.front();
    readings_.pop_front();
  }

 private:
  GameRecord& r_;
  std::deque<double> readings_;
  double now_ = 100.0;
};

class MovementTest : public ::testing::Test {
 protected:
  MovementTest() : field(kFieldWidth, kFieldHeight), hits(r) {
    r.StoreStartUpValues();
    DrawFieldBorder(field);
  }
  void Place(int x, int y, int16_t heading) {
    r.HeadX = int16_t(x);
    r.HeadY = int16_t(y);
    r.Heading = heading;
    r.StopFlag = 0;
    hits.hits.clear();
  }
  void Run(std::deque<double> readings) {
    ScriptedClock clock(r, std::move(readings));
    MoveHead(r, field, clock, hits);
  }

  GameRecord r;
  Surface field;
  RecordingHits hits;
  testing::VirtualPlatform platform;
};

TEST_F(MovementTest, TicksNeedStrictlyMoreThanTheIntervalReadThenPlotAndNeverCatchUp) {
  // From the start corner the first tick lands on (5, 5), reads what is there,
  // then plots.
  r.StopFlag = 0;
  field.Point(5, 5, kSilver);
  hits.on_hit = [&] { EXPECT_EQ(field.GetPixel(5, 5), kSilver) << "plotted before the read"; };
  Run({100.005, 100.01});  // exactly 0.01 s on: no tick yet
  EXPECT_TRUE(hits.hits.empty());
  r.StopFlag = 0;
  Run({100.0101});
  EXPECT_EQ(hits.hits, (std::vector<Hit>{{5, 5, kSilver}}));
  EXPECT_EQ(field.GetPixel(5, 5), kWhite);

  // A pass that took five seconds moves the head one step, and the next tick
  // is timed from a fresh reading.
  Place(50, 50, kDownRight);
  Run({105.0, 105.005, 105.0101});
  EXPECT_EQ(std::pair(r.HeadX, r.HeadY), std::pair(int16_t(56), int16_t(56)));
  EXPECT_TRUE(hits.hits.empty());
}

TEST_F(MovementTest, TheStartLatticeDecidesWhichBorderLinesTheHeadLandsOn) {
  struct Case {
    int x, y;
    int16_t heading;
    Hit first_hit;
  };
  const Case cases[] = {
      // First stage, start (2, 2): lands on the border column 443 ...
      {422, 100, kDownRight, {443, 121, kWhite}},
      // ... but passes row 338, reads black at 341 and ends outside the surface.
      {92, 332, kDownRight, {104, 344, kInvalidColor}},
      {17, 17, kUpLeft, {2, 2, kWhite}},
      // Later stages, start (4, 4): passes 442, reads black at 445, ends at 448 ...
      {424, 64, kDownRight, {448, 88, kInvalidColor}},
      // ... and lands on the border row 340.
      {64, 334, kDownRight, {70, 340, kWhite}},
  };
  for (const Case& c : cases) {
    Place(c.x, c.y, c.heading);
    MoveHead(r, field, platform, hits);
    EXPECT_EQ(hits.hits, (std::vector<Hit>{c.first_hit})) << c.x << "," << c.y;
  }
}

TEST_F(MovementTest, AHitThatMovesTheHeadGetsItsTrailPointWhereTheHeadNowIs) {
  field.Point(20, 20, kRed);  // a goal restarts the head at (4, 4)
  Place(17, 17, kDownRight);
  hits.on_hit = [&] {
    r.HeadX = r.HeadY = 4;
    field.AssignPicture(nullptr);
  };
  platform.After(0.035, [&] { r.StopFlag = 1; });
  MoveHead(r, field, platform, hits);
  EXPECT_EQ(field.GetPixel(4, 4), kWhite);
  EXPECT_EQ(field.GetPixel(7, 7), kWhite);
  EXPECT_EQ(field.GetPixel(20, 20), kBlack);
}

TEST_F(MovementTest, KeyPressesRunInsideTheYieldsAndTurnTheNextTick) {
  Place(100, 100, kDownRight);
  platform.After(0.015, [&] { r.Heading = r.NextHeading[r.Heading]; });
  platform.After(0.045, [&] { r.StopFlag = 1; });
  MoveHead(r, field, platform, hits);
  EXPECT_EQ(field.GetPixel(103, 103), kWhite);
  EXPECT_EQ(field.GetPixel(106, 100), kWhite);  // up and right after the turn
  EXPECT_TRUE(hits.hits.empty());
}

}  // namespace
}  // namespace marvo
