// Stages, turns and hits, each on a game stopped at the moment in question.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "engine/sound_slots.h"
#include "resources/pictures.h"
#include "tests/support/game_fixture.h"
#include "tests/support/pixel_hash.h"

namespace marvo {
namespace {

class PlayTest : public testing::GameFixture {
 protected:
  // The engine built afresh over the game's record and window, with a sound
  // module of its own on the same mixer and the game flow for its endings.
  PlayTest() {
    sound.OpenSound();
    LoadWaveFiles(app.record, sound, dir.path());
  }
  Play& play() { return engine; }
  GameRecord& r() { return app.record; }
  Surface& field() { return app.form.picSTAGE.surface; }
  // The bounding box of every pixel of a colour on the field.
  std::tuple<int, int, int, int> Bounds(Color color) {
    int x1 = 1 << 20, y1 = 1 << 20, x2 = -1, y2 = -1;
    for (int y = 0; y < field().Height(); ++y)
      for (int x = 0; x < field().Width(); ++x)
        if (FieldAt(x, y) == color)
          x1 = std::min(x1, x), y1 = std::min(y1, y), x2 = std::max(x2, x), y2 = std::max(y2, y);
    return {x1, y1, x2, y2};
  }
  bool GoalPlaced() {
    for (int y = 0; y < field().Height(); ++y)
      if (FieldAt(420, y) == kRed) return true;
    return false;
  }
  // Puts the head somewhere on a running stage, as if the loop had got there.
  void Head(int x, int y, int16_t h) {
    r().HeadX = int16_t(x), r().HeadY = int16_t(y), r().Heading = h;
  }
  void Space(int16_t shift = 0) { Key(&App::picSTAGE_KeyDown, 32, shift); }

  Wavemix sound{mixer};
  GameFlow endings{app.record, app.form, player, sound};
  Play engine{app.record, app.form, player, sound, endings};
};

TEST_F(PlayTest, EachStageLaysOutItsOwnFieldAndStagesPastTheLastAreABareField) {
  // On a fixed clock seed each field is pinned by a hash of its pixels: the
  // picture or the random blocks (three stages, drawn from the clock's seed),
  // inside the white border.
  platform.FixSeed(1234);
  const uint64_t fields[] = {
      0xb64623422798f1ec, 0xd1982951bdac16d7, 0x8a8be9e9e06ece18, 0xaf476c4228d0c1e4,
      0xb7704a7d491705dc, 0x679aea707ef68988, 0xd424a9ab03a89594, 0x882706c4a78f62d4,
      0x58a6ad12b0d3ffe3, 0x5615ab38878ff12f,
  };
  for (int16_t stage = 1; stage <= 10; ++stage) {
    r().TurnsLeft = 3;
    EXPECT_EQ(play().BuildStage(stage), stage);
    EXPECT_EQ(r().TurnsLeft, 50) << stage;
    EXPECT_EQ(testing::PixelHash(field().Pixels()), fields[stage - 1])
        << stage << std::hex << " 0x" << testing::PixelHash(field().Pixels());
  }
  // Past the last stage: black inside the border, 50 turns, the bonus kept.
  r().TurnsLeft = 0;
  EXPECT_EQ(std::pair(play().BuildStage(11), play().BuildStage(0)), std::pair(99, 99));
  EXPECT_EQ(std::pair(r().TurnsLeft, r().StageBonus), std::pair(50, 15000));
  EXPECT_EQ(std::pair(Bounds(kWhite), Bounds(kBlue)),
            std::pair(std::make_tuple(2, 2, 443, 340), std::make_tuple(1 << 20, 1 << 20, -1, -1)));
}

TEST_F(PlayTest, TheGoalIsARedDiscNearTheRightEdgeAndTheBurstFiveRingsWithYields) {
  std::set<int> heights;
  for (int i = 0; i < 300; ++i) {
    play().BuildStage(11);
    play().PlaceGoal();
    const auto [x1, y1, x2, y2] = Bounds(kRed);
    EXPECT_EQ(std::tuple(x1, x2, y2 - y1), std::tuple(406, 434, 28));
    EXPECT_TRUE(y1 >= 3 && y2 <= 337) << y1;
    heights.insert(y1);
    platform.RunUntil(platform.Clock() + 0.011);
  }
  EXPECT_GT(heights.size(), 150u);
  EXPECT_EQ(field().fill_style, FillStyle::kTransparent);  // the burst draws outlines only

  play().BuildStage(11);
  const long yields = platform.Yields();
  play().DrawBurst(200, 150);
  EXPECT_EQ(platform.Yields() - yields, 5);
  for (int radius : {5, 10, 15, 20, 25}) {
    EXPECT_EQ(FieldAt(200 + radius, 150), kWhite) << radius;
    EXPECT_EQ(FieldAt(200 + radius - 2, 150), kBlack) << radius;
  }
}

TEST_F(PlayTest, SpaceTurnsWithinTheRationAndPaysBravoOnlyForABlueWallOneStepAhead) {
  play().BuildStage(11);
  app.form.picSTAGE.enabled = true;
  r().StageNo = 4, r().Score = 1000;
  // A wall one step ahead: "Bravo!" 20 left of and 4 above the head, 100 a stage.
  Head(100, 100, kDownRight);
  field().Point(103, 103, kBlue);
  Space(2);  // with Ctrl held
  EXPECT_EQ(
      std::tuple(r().Heading, r().Score, app.form.lblSC.caption, FieldAt(80, 96), FieldAt(79, 96),
                 r().TurnsLeft, app.form.lblBN.caption),
      std::tuple(kUpRight, 1400, std::string("001400"), kSilver, kBlack, 49, std::string("049")));

  // Two steps away, or anything but pure blue one step ahead: a turn, no bonus.
  const std::pair<int, Color> ahead[] = {
      {6, kBlue}, {3, kWhite}, {3, kRed}, {3, kYellow}, {3, kSilver}};
  for (const auto& [distance, color] : ahead) {
    Head(200, 200, kUpLeft);
    field().Point(200 - distance, 200 - distance, color);
    Space(1);
    EXPECT_EQ(r().Score, 1400) << distance << " " << color;
    field().Point(200 - distance, 200 - distance, kBlack);
  }
  Head(20, 335, kDownLeft);  // one step ahead lies outside the field
  Space();
  EXPECT_EQ(r().Score, 1400);

  // The last turn reads 000; then Space does nothing, nor does any other key.
  r().TurnsLeft = 1;
  Head(200, 200, kDownRight);
  Space();
  EXPECT_EQ(std::tuple(r().Heading, r().TurnsLeft, app.form.lblBN.caption),
            std::tuple(kUpRight, 0, std::string("000")));
  Space();
  r().TurnsLeft = 5;
  Key(&App::picSTAGE_KeyDown, 13);
  EXPECT_EQ(std::pair(r().Heading, r().TurnsLeft), std::pair(kUpRight, 5));
  // Nor does Space on a disabled field (between stages, after a crash).
  app.form.picSTAGE.enabled = false;
  Space();
  EXPECT_EQ(std::pair(r().Heading, r().TurnsLeft), std::pair(kUpRight, 5));
}

TEST_F(PlayTest, StarsPayOncePerStageRisingThroughTheGameAndHarmlessColoursChangeNothing) {
  play().BuildStage(11);
  r().StopFlag = 0;
  Head(100, 100, kDownRight);
  r().HitColor = kYellow;
  play().ResolveHit();
  // "1000" printed by the head.
  EXPECT_EQ(std::tuple(r().Score, r().StarCount, r().StarTaken, r().StopFlag,
                       app.form.lblSC.caption, FieldAt(80, 96)),
            std::tuple(1000, 1, 1, 0, std::string("001000"), kSilver));
  EXPECT_EQ(mixer.cues, std::vector<std::string>{"play p1.wav once"});
  // The rest of the star, the trail, text: nothing at all.
  for (Color harmless : {kYellow, kWhite, kSilver, Color(0x808080)}) {
    r().HitColor = harmless;
    play().ResolveHit();
  }
  EXPECT_EQ(std::tuple(r().Score, r().StarCount, r().StopFlag, mixer.cues.size()),
            std::tuple(1000, 1, 0, size_t(1)));
  // The next stage's star pays 2000.
  r().StarTaken = 0;
  r().HitColor = kYellow;
  play().ResolveHit();
  EXPECT_EQ(std::pair(r().Score, r().StarCount), std::pair(3000, 2));
  // A star pixel on the border is still outside the field: the star pays,
  // then the game is over.
  r().StarTaken = 0;
  Head(443, 100, kDownRight);
  platform.At(platform.Clock() + 0.5, [&] { EXPECT_EQ(r().StopFlag, 1); });
  play().ResolveHit();
  EXPECT_EQ(std::pair(r().StarCount, r().GameRunning), std::pair(0, 0));  // back at the title
  EXPECT_EQ(r().HiScore[2], 6000);  // below the first-run table's 10000
}

TEST_F(PlayTest, TheGoalPaysTheTurnsAndTheBonusThenTheNextStageStartsAfterItsBanners) {
  // Stage 1 with 37 turns left: 3700 printed and added, STAGE CLEAR!, stage 2.
  r().HiScore = {0, 10000, 5000, 4000, 3000, 2000};
  player.playing = false;
  bool checked = false;
  std::vector<std::string> seen;
  player.on_yield = [&] {
    if (checked || !app.form.picSTAGE.enabled) return;
    checked = true;
    Head(395, 200, kDownRight);
    r().TurnsLeft = 37, r().HitColor = kRed;
    const double start = platform.Clock();
    platform.At(start + 1.0, [&] {
      // Stage clear: the field disabled, the banner's red S at the banner's spot.
      seen.push_back("clear " + app.form.lblSC.caption + " " + app.form.lblNumber.caption);
      EXPECT_FALSE(app.form.picSTAGE.enabled);
      EXPECT_EQ(FieldAt(375, 196), kSilver);  // "3700" left of the head
    });
    platform.At(start + 3.0, [&] {
      // GET READY! over stage 2, without its goal yet.
      seen.push_back("ready " + app.form.lblNumber.caption + " " + app.form.lblBN.caption);
      EXPECT_EQ(field().Picture(), LoadPicture(102));
      EXPECT_FALSE(GoalPlaced());
    });
    play().ResolveHit();
    seen.push_back("play " + std::to_string(r().HeadX) + "," + std::to_string(r().HeadY));
    EXPECT_NEAR(platform.Clock() - start, 4.0, 0.01);
    EXPECT_EQ(std::tuple(r().Heading, r().TurnsLeft, r().StarTaken, r().HitColor, r().Score),
              std::tuple(kDownRight, 50, 0, 0u, 3700));
    EXPECT_TRUE(app.form.picSTAGE.enabled && GoalPlaced());
    EXPECT_EQ(Bounds(0x00FF00), std::make_tuple(1 << 20, 1 << 20, -1, -1));  // banner wiped
    r().StopFlag = 1;                                                        // end the loop here
  };
  Enter();
  EXPECT_EQ(seen, (std::vector<std::string>{"clear 003700 1", "ready 2 050", "play 4,4"}));
}

TEST_F(PlayTest, TheLastGoalWithNoTurnsLeftPaysTheBonusAndGoesStraightToAllClear) {
  play().BuildStage(10);
  r().StopFlag = 0, r().GameRunning = 1, r().StageNo = 10;
  r().TurnsLeft = 0, r().Score = 50000, r().HitColor = kRed;
  Head(400, 200, kDownRight);
  bool all_clear = false;
  player.on_yield = [&] {
    if (!app.form.lblMsg.visible || all_clear) return;
    all_clear = true;
    EXPECT_EQ(std::tuple(app.form.lblNumber.caption, app.form.lblBN.caption, r().Score, r().StageNo,
                         GoalPlaced()),
              std::tuple(std::string("ALL"), std::string(), 50000 + 15000 + 100000, 11, false));
  };
  play().ResolveHit();
  EXPECT_TRUE(all_clear);
  EXPECT_EQ(r().HiScore[1], 165000);
}

TEST_F(PlayTest, AnythingButBlackReadOnOrOutsideTheBorderLinesEndsTheGame) {
  const std::tuple<int, int, bool> places[] = {
      {2, 100, true},  {3, 100, false},   {442, 100, false}, {443, 100, true}, {100, 2, true},
      {100, 3, false}, {100, 338, false}, {100, 339, true},  {-1, 500, true},
  };
  for (const auto& [x, y, deadly] : places) {
    play().BuildStage(11);
    r().StopFlag = 0;
    Head(x, y, kDownRight);
    r().HitColor = kWhite;
    play().ResolveHit();
    EXPECT_EQ(r().StopFlag, deadly ? 1 : 0) << x << "," << y;
  }
}

}  // namespace
}  // namespace marvo
