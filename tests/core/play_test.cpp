// Stages, turns and hits, each on a game stopped at the moment in question.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "engine/sound_slots.h"
#include "generated/game_files.h"
#include "resources/pictures.h"
#include "tests/support/golden.h"
#include "tests/support/headless_game.h"
#include "ui/bonuses.h"

namespace marvo {
namespace {

using Box = std::tuple<int, int, int, int>;
const Box kNowhere = {1 << 20, 1 << 20, -1, -1};

class PlayTest : public support::GameFixture {
 protected:
  // The engine built afresh over the game's record and window, with a sound
  // module of its own on the same mixer and the game flow for its endings.
  PlayTest() {
    sound.OpenSound();
    LoadWaveFiles(app.record, sound, dir.path());
  }
  GameRecord& r() { return app.record; }
  Surface& field() { return app.form.picSTAGE.surface; }
  // The bounding box of every pixel of a colour on the field.
  Box Bounds(Color color) {
    auto [x1, y1, x2, y2] = kNowhere;
    for (int y = 0; y < field().Height(); ++y)
      for (int x = 0; x < field().Width(); ++x)
        if (FieldAt(x, y) == color)
          x1 = std::min(x1, x), y1 = std::min(y1, y), x2 = std::max(x2, x), y2 = std::max(y2, y);
    return {x1, y1, x2, y2};
  }
  bool GoalPlaced() { return std::get<0>(Bounds(kRed)) == 406; }
  // Puts the head somewhere on a running stage, as if the loop had got there.
  void Head(int x, int y, int16_t h) {
    r().HeadX = int16_t(x), r().HeadY = int16_t(y), r().Heading = h;
  }
  // The head reads `color` there, on a running stage.
  void Hit(int x, int y, Color color) {
    Head(x, y, kDownRight);
    r().HitColor = color, r().StopFlag = 0;
    play.ResolveHit();
  }
  void Space(int16_t shift = 0) { Key(&App::picSTAGE_KeyDown, kKeySpace, shift); }

  Wavemix sound{mixer};
  GameFlow endings{app.record, app.form, player, sound};
  Play play{app.record, app.form, player, sound, endings};
};

TEST_F(PlayTest, EachStageLaysOutItsOwnFieldAndStagesPastTheLastAreABareField) {
  // On a fixed clock seed each field looks as tests/golden/stage-N.png shows
  // it: the picture or the random blocks (three stages, drawn from the
  // clock's seed), inside the white border.
  platform.FixSeed(1234);
  for (int16_t stage = 1; stage <= 10; ++stage) {
    r().TurnsLeft = 3;
    EXPECT_EQ(std::tuple(play.BuildStage(stage), r().TurnsLeft), std::tuple(stage, 50));
    EXPECT_TRUE(support::MatchesPng(field().Pixels(),
                                    "tests/golden/stage-" + std::to_string(stage) + ".png"));
  }
  // Past the last stage: black inside the border, 50 turns, the bonus kept.
  r().TurnsLeft = 0;
  EXPECT_EQ(play.BuildStage(0), 99);
  EXPECT_EQ(std::tuple(play.BuildStage(11), r().TurnsLeft, r().StageBonus),
            std::tuple(99, 50, 15000));
  EXPECT_EQ(std::pair(Bounds(kWhite), Bounds(kBlue)), std::pair(Box{2, 2, 443, 340}, kNowhere));
}

TEST_F(PlayTest, TheGoalIsARedDiscNearTheRightEdgeAndTheBurstFiveRingsWithYields) {
  std::set<int> heights;
  for (int i = 0; i < 300; ++i) {
    play.BuildStage(11);
    play.PlaceGoal();
    const auto [x1, y1, x2, y2] = Bounds(kRed);
    EXPECT_EQ(std::tuple(x1, x2, y2 - y1), std::tuple(406, 434, 28));
    EXPECT_TRUE(y1 >= 3 && y2 <= 337) << y1;
    heights.insert(y1);
    platform.RunUntil(platform.Clock() + 0.011);
  }
  EXPECT_GT(heights.size(), 150u);
  // Solid: on each row the red runs unbroken across the middle.
  const auto [x1, y1, x2, y2] = Bounds(kRed);
  for (int y = y1; y <= y2; ++y) {
    int width = 0;
    for (int x = x1; x <= x2; ++x) width += FieldAt(x, y) == kRed;
    for (int x = 420 - (width - 1) / 2; x <= 420 + (width - 1) / 2; ++x)
      EXPECT_EQ(FieldAt(x, y), kRed) << x << "," << y;
  }

  play.BuildStage(11);
  const long yields = platform.Yields();
  play.DrawBurst(200, 150);
  EXPECT_EQ(platform.Yields() - yields, 5);
  std::string row;  // rightwards from the centre: the rings 5 pixels apart
  for (int x = 201; x <= 226; ++x) row += FieldAt(x, 150) == kWhite ? 'o' : '.';
  EXPECT_EQ(row, "....o....o....o....o....o.");
  // Outlines symmetric about both axes and the diagonal.
  for (int y = 120; y <= 180; ++y)
    for (int x = 170; x <= 230; ++x)
      EXPECT_TRUE(FieldAt(x, y) != kWhite ||
                  (FieldAt(400 - x, y) == kWhite && FieldAt(x, 300 - y) == kWhite &&
                   FieldAt(y + 50, x - 50) == kWhite))
          << x << "," << y;
}

TEST_F(PlayTest, SpaceTurnsWithinTheRationAndPaysBravoOnlyForABlueWallOneStepAhead) {
  play.BuildStage(11);
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

  // Two steps away, anything but pure blue one step ahead, or one step ahead
  // outside the field: a turn, no bonus.
  const std::tuple<int, int, int, Color> ahead[] = {{200, 200, 6, kBlue},   {200, 200, 3, kWhite},
                                                    {200, 200, 3, kRed},    {200, 200, 3, kYellow},
                                                    {200, 200, 3, kSilver}, {20, 335, 0, kBlue}};
  for (const auto& [x, y, distance, color] : ahead) {
    Head(x, y, x == 20 ? kDownLeft : kUpLeft);
    if (distance) field().Point(x - distance, y - distance, color);
    Space(1);
    EXPECT_EQ(r().Score, 1400) << distance << " " << color;
    field().Point(x - distance, y - distance, kBlack);
  }

  // The last turn reads 000; then Space does nothing, nor does any other key,
  // nor Space on a disabled field (between stages, after a crash).
  r().TurnsLeft = 1;
  Head(200, 200, kDownRight);
  Space();
  EXPECT_EQ(std::tuple(r().Heading, r().TurnsLeft, app.form.lblBN.caption),
            std::tuple(kUpRight, 0, std::string("000")));
  Space();
  r().TurnsLeft = 5;
  Key(&App::picSTAGE_KeyDown, kKeyEnter);
  app.form.picSTAGE.enabled = false;
  Space();
  EXPECT_EQ(std::pair(r().Heading, r().TurnsLeft), std::pair(kUpRight, 5));
}

TEST_F(PlayTest, StarsPayOncePerStageRisingThroughTheGameAndHarmlessColoursChangeNothing) {
  play.BuildStage(11);
  Hit(100, 100, kYellow);
  // "1000" printed by the head.
  EXPECT_EQ(std::tuple(r().Score, r().StarCount, r().StarTaken, r().StopFlag,
                       app.form.lblSC.caption, FieldAt(80, 96), mixer.cues.size()),
            std::tuple(1000, 1, 1, 0, std::string("001000"), kSilver, size_t(1)));
  EXPECT_EQ(mixer.cues[0], "play p1.wav once");
  // The rest of the star, the trail, text: nothing at all.
  for (Color harmless : {kYellow, kWhite, kSilver, Color(0x808080)}) Hit(100, 100, harmless);
  EXPECT_EQ(std::tuple(r().Score, r().StarCount, r().StopFlag, mixer.cues.size()),
            std::tuple(1000, 1, 0, size_t(1)));
  // The next stage's star pays 2000, also on the border, which is outside the
  // field: the star pays, then the game is over.
  r().StarTaken = 0;
  platform.At(platform.Clock() + 0.5, [&] { EXPECT_EQ(r().StopFlag, 1); });
  Hit(443, 100, kYellow);
  EXPECT_EQ(std::pair(r().StarCount, r().GameRunning), std::pair(0, 0));  // back at the title
  EXPECT_EQ(r().HiScore, (HallOfFame{0, 10000, 5000, 4000, 3000, 3000}));
}

TEST_F(PlayTest, TheGoalPaysTheTurnsAndTheBonusThenTheNextStageStartsAfterItsBanners) {
  // Stage 1 with 37 turns left: 3700 printed and added, STAGE CLEAR! on a held
  // field, then GET READY! over stage 2 without its goal, then play.
  player.playing = false;
  bool hit = false;
  std::vector<std::string> seen;
  const auto see = [&](const char* what) {
    const MainFormModel& f = app.form;
    seen.push_back(what + (" " + f.lblSC.caption) + " " + f.lblNumber.caption + " " +
                   f.lblBN.caption + (f.picSTAGE.enabled ? " enabled" : "") +
                   (GoalPlaced() ? " goal" : "") +
                   (FieldAt(375, 196) == kSilver ? " 3700" : "") +  // left of the head
                   (field().Picture() == LoadPicture(kPictureStage2) ? " picture" : ""));
  };
  player.on_yield = [&] {
    if (hit || !app.form.picSTAGE.enabled) return;
    hit = true;
    const double start = platform.Clock();
    platform.At(start + 1.0, [&] { see("clear"); });
    platform.At(start + 3.0, [&] { see("ready"); });
    r().TurnsLeft = 37;
    Hit(395, 200, kRed);
    see("play");
    EXPECT_NEAR(platform.Clock() - start, 4.0, 0.01);
    EXPECT_EQ(std::tuple(r().HeadX, r().HeadY, r().Heading, r().TurnsLeft, r().StarTaken,
                         r().HitColor, Bounds(0x00FF00)),  // the banner wiped
              std::tuple(4, 4, kDownRight, 50, 0, 0u, kNowhere));
    r().StopFlag = 1;  // end the loop here
  };
  Enter();
  EXPECT_EQ(seen, (std::vector<std::string>{"clear 003700 1 050 3700", "ready 003700 2 050 picture",
                                            "play 003700 2 050 enabled goal picture"}));
}

TEST_F(PlayTest, TheLastGoalWithNoTurnsLeftPaysTheBonusAndGoesStraightToAllClear) {
  play.BuildStage(10);
  r().GameRunning = 1, r().StageNo = 10, r().TurnsLeft = 0, r().Score = 50000;
  bool all_clear = false;
  player.on_yield = [&] {
    if (!app.form.lblMsg.visible || all_clear) return;
    all_clear = true;
    EXPECT_EQ(
        std::tuple(app.form.lblNumber.caption, app.form.lblBN.caption, r().Score, r().StageNo,
                   GoalPlaced()),
        std::tuple(std::string("ALL"), std::string(), 50000 + 15000 + kAllClearBonus, 11, false));
  };
  Hit(400, 200, kRed);
  EXPECT_EQ(std::pair(all_clear, r().HiScore[1]), std::pair(true, 165000));
}

TEST_F(PlayTest, AnythingButBlackReadOnOrOutsideTheBorderLinesEndsTheGame) {
  const std::tuple<int, int, bool> places[] = {
      {2, 100, true},  {3, 100, false},   {442, 100, false}, {443, 100, true}, {100, 2, true},
      {100, 3, false}, {100, 338, false}, {100, 339, true},  {-1, 500, true},
  };
  for (const auto& [x, y, deadly] : places) {
    play.BuildStage(11);
    Hit(x, y, kWhite);
    EXPECT_EQ(r().StopFlag, deadly ? 1 : 0) << x << "," << y;
  }
}

// The copies banners and the stage's backup are drawn with.
TEST(Surface, BlockCopiesCopyAndOrAndAreClipped) {
  Surface src(4, 1), and_dst(4, 1), or_dst(4, 1);
  const Color pattern[] = {0xF0F0F0, 0x00FF00, kWhite};
  for (int x = 0; x < 3; ++x) src.Point(x, 0, pattern[x]);
  for (Surface* d : {&and_dst, &or_dst}) d->FilledBox(0, 0, 3, 0, 0x3C3C3C);
  BitBlt(and_dst, 0, 0, 4, 1, src, 0, 0, RasterOp::kSrcAnd);
  BitBlt(or_dst, 0, 0, 4, 1, src, 0, 0, RasterOp::kSrcPaint);
  const Color anded[] = {0x303030, 0x003C00, 0x3C3C3C, kBlack};
  const Color ored[] = {0xFCFCFC, 0x3CFF3C, kWhite, 0x3C3C3C};
  for (int x = 0; x < 4; ++x)
    EXPECT_EQ(std::pair(and_dst.GetPixel(x, 0), or_dst.GetPixel(x, 0)),
              std::pair(anded[x], ored[x]));

  // Blocks partly or wholly outside either surface are clipped, source and
  // target moving together; a copy onto its own surface moves as a whole.
  Surface field(447, 342);
  BitBlt(field, -1, 0, 4, 1, src, 0, 0, RasterOp::kSrcCopy);
  BitBlt(field, 0, 5, 4, 1, src, -1, 0, RasterOp::kSrcCopy);
  BitBlt(field, 500, 500, 10, 10, src, 0, 0, RasterOp::kSrcCopy);
  EXPECT_EQ(std::tuple(field.GetPixel(0, 0), field.GetPixel(0, 5), field.GetPixel(1, 5)),
            std::tuple(0x00FF00u, kBlack, 0xF0F0F0u));
  BitBlt(src, 1, 0, 3, 1, src, 0, 0, RasterOp::kSrcCopy);
  EXPECT_EQ(std::pair(src.GetPixel(1, 0), src.GetPixel(2, 0)), std::pair(0xF0F0F0u, 0x00FF00u));
  // An auto-sized holder shows its picture; a copy onto it changes the holder alone.
  const Image picture(3, 2, kWhite);
  Surface holder(17, 17, Surface::Sizing::kAutoSize);
  holder.AssignPicture(&picture);
  BitBlt(holder, 0, 1, 2, 1, src, 0, 0, RasterOp::kSrcAnd);
  EXPECT_EQ(std::pair(holder.GetPixel(0, 1), picture.At(0, 1)), std::pair(0xF0F0F0u, kWhite));
}

}  // namespace
}  // namespace marvo
