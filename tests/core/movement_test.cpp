#include "engine/movement.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>

#include "engine/game_record.h"
#include "tests/support/virtual_platform.h"

namespace marvo {
namespace {

struct Hit {
  int x, y;
  Color color;
  bool operator==(const Hit&) const = default;
};

// Records what the loop hands over; by default stops the run at the first hit
// outside the inside window, as the game's crash rule does.
class RecordingHits final : public HitResolver {
 public:
  explicit RecordingHits(GameRecord& r) : r_(r) {}
  void ResolveHit() override {
    hits.push_back({r_.HeadX, r_.HeadY, r_.HitColor});
    if (on_hit) return on_hit();
    if (r_.HeadX <= 2 || r_.HeadX >= 443 || r_.HeadY <= 2 || r_.HeadY >= 339) r_.StopFlag = 1;
  }
  std::vector<Hit> hits;
  std::function<void()> on_hit;

 private:
  GameRecord& r_;
};

// A platform whose clock shows a scripted reading at each Yield; the run stops
// when the script is used up.
class ScriptedClock final : public Platform {
 public:
  ScriptedClock(GameRecord& r, double start, std::deque<double> readings)
      : r_(r), now_(start), readings_(std::move(readings)) {}
  double Clock() override { return now_; }
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
  double now_;
  std::deque<double> readings_;
};

class MovementTest : public ::testing::Test {
 protected:
  MovementTest() : field(kFieldWidth, kFieldHeight), hits(r) {
    r.StoreStartUpValues();
    field.Box(kBorderLeft, kBorderTop, kBorderRight, kBorderBottom, kWhite);
    r.StopFlag = 0;
  }
  void Place(int x, int y, int16_t heading) {
    r.HeadX = int16_t(x);
    r.HeadY = int16_t(y);
    r.Heading = heading;
  }
  void Run(std::deque<double> readings) {
    ScriptedClock clock(r, 100.0, std::move(readings));
    MoveHead(r, field, clock, hits);
  }
  void RunVirtual() { MoveHead(r, field, platform, hits); }

  GameRecord r;
  Surface field;
  RecordingHits hits;
  testing::VirtualPlatform platform;
};

TEST_F(MovementTest, FirstTickFromTheCornerReadsThenPlotsAtFiveFive) {
  field.Point(5, 5, kSilver);  // something harmless where the head lands
  hits.on_hit = [&] { EXPECT_EQ(field.GetPixel(5, 5), kSilver) << "plotted before the read"; };
  Run({100.0101});
  EXPECT_EQ(r.HeadX, 5);
  EXPECT_EQ(r.HeadY, 5);
  EXPECT_EQ(hits.hits, (std::vector<Hit>{{5, 5, kSilver}}));
  EXPECT_EQ(field.GetPixel(5, 5), kWhite);
  EXPECT_EQ(field.GetPixel(8, 8), kBlack);
}

TEST_F(MovementTest, TicksNeedStrictlyMoreThanTheIntervalAndNeverCatchUp) {
  Place(50, 50, kDownRight);
  Run({100.005, 100.01});  // exactly 0.01 s later: no tick yet
  EXPECT_EQ(r.HeadX, 50);

  r.StopFlag = 0;
  Run({100.0101});
  EXPECT_EQ(r.HeadX, 53);

  // A pass that took five seconds moves the head one step, and the next tick
  // is measured from a fresh reading, not from the old one.
  r.StopFlag = 0;
  field.Clear();
  Place(50, 50, kDownRight);
  Run({105.0, 105.005, 105.0101});
  EXPECT_EQ(r.HeadX, 56);
  EXPECT_EQ(r.HeadY, 56);
  EXPECT_TRUE(hits.hits.empty());
}

TEST_F(MovementTest, EachHeadingStepsThreePixelsDiagonallyAndLeavesATrail) {
  struct Case {
    int16_t heading;
    int dx, dy;
  };
  for (Case c :
       {Case{kUpLeft, -3, -3}, {kUpRight, 3, -3}, {kDownLeft, -3, 3}, {kDownRight, 3, 3}}) {
    r.StopFlag = 0;
    Place(200, 200, c.heading);
    Run({100.02, 100.04, 100.06});
    EXPECT_EQ(r.HeadX, 200 + 3 * c.dx) << c.heading;
    EXPECT_EQ(r.HeadY, 200 + 3 * c.dy) << c.heading;
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(field.GetPixel(200 + i * c.dx, 200 + i * c.dy), kWhite);
  }
}

TEST_F(MovementTest, FromTheFirstStageCornerTheRightBorderIsHitAndTheBottomPassed) {
  // Start (2, 2): columns 2 + 3k land on the border column 443.
  Place(422, 100, kDownRight);
  RunVirtual();
  EXPECT_EQ(hits.hits.back(), (Hit{443, 121, kWhite}));
  EXPECT_EQ(hits.hits.size(), 1u);

  // Rows 2 + 3k pass row 338, read black at 341 and end outside the surface at 344.
  r.StopFlag = 0;
  hits.hits.clear();
  Place(2 + 3 * 30, 2 + 3 * 110, kDownRight);
  RunVirtual();
  EXPECT_EQ(hits.hits, (std::vector<Hit>{{104, 344, kInvalidColor}}));
}

TEST_F(MovementTest, FromLaterStagesTheRightBorderIsPassedAndTheBottomHit) {
  // Start (4, 4): columns pass 442, read black at 445 and end at 448.
  Place(4 + 3 * 140, 4 + 3 * 20, kDownRight);
  RunVirtual();
  EXPECT_EQ(hits.hits, (std::vector<Hit>{{448, 88, kInvalidColor}}));

  // Rows land on the border row 340.
  r.StopFlag = 0;
  hits.hits.clear();
  Place(4 + 3 * 20, 4 + 3 * 110, kDownRight);
  RunVirtual();
  EXPECT_EQ(hits.hits, (std::vector<Hit>{{70, 340, kWhite}}));

  // Up and left on the first stage's lattice: the corner (2, 2) is border.
  r.StopFlag = 0;
  hits.hits.clear();
  Place(2 + 3 * 5, 2 + 3 * 5, kUpLeft);
  RunVirtual();
  EXPECT_EQ(hits.hits, (std::vector<Hit>{{2, 2, kWhite}}));
}

TEST_F(MovementTest, AHitThatMovesTheHeadGetsItsTrailPointWhereTheHeadNowIs) {
  // A goal restarts the head at (4, 4): the loop plots there, then moves on from it.
  field.Point(20, 20, kRed);
  Place(17, 17, kDownRight);
  hits.on_hit = [&] {
    if (r.HitColor == kRed) {
      r.HeadX = r.HeadY = 4;
      field.Clear();
    } else {
      r.StopFlag = 1;
    }
  };
  platform.After(0.025, [&] { EXPECT_EQ(r.HeadX, 7); });
  platform.After(0.035, [&] { r.StopFlag = 1; });
  RunVirtual();
  EXPECT_EQ(field.GetPixel(4, 4), kWhite);
  EXPECT_EQ(field.GetPixel(7, 7), kWhite);
  EXPECT_EQ(field.GetPixel(20, 20), kBlack);
}

TEST_F(MovementTest, TheLoopYieldsOnEveryPassAndEndsOnTheStopFlag) {
  // Scripted key presses run inside the yields; turning between ticks is seen
  // by the next tick.
  Place(100, 100, kDownRight);
  platform.After(0.015, [&] { r.Heading = r.NextHeading[r.Heading]; });
  platform.After(0.045, [&] { r.StopFlag = 1; });
  RunVirtual();
  EXPECT_EQ(r.Heading, kUpRight);
  EXPECT_EQ(field.GetPixel(103, 103), kWhite);
  EXPECT_EQ(field.GetPixel(106, 100), kWhite);
  EXPECT_GT(platform.Yields(), 3);
  EXPECT_TRUE(hits.hits.empty());
}

}  // namespace
}  // namespace marvo
