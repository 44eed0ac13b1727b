// Stage construction: the field of each stage, the goal and the crash burst.
#include <array>

#include "engine/field.h"
#include "engine/play.h"
#include "generated/game_files.h"
#include "resources/pictures.h"

namespace marvo {

namespace {

// How a stage fills the field before its border goes round it.
enum class Layout { kPicture, kSmallBlocks, kBigBlock, kBars };

struct StageDesign {
  Layout layout;
  int picture;  // for kPicture
  int32_t bonus;
};

// Stages 1 to 10. Every third stage is laid out from random blue blocks and has
// no star, so a game holds seven stars.
constexpr std::array<StageDesign, 10> kStages = {{
    {Layout::kPicture, kPictureStage1, 0},
    {Layout::kPicture, kPictureStage2, 500},
    {Layout::kSmallBlocks, 0, 1000},
    {Layout::kPicture, kPictureStage3, 2000},
    {Layout::kPicture, kPictureStage4, 2500},
    {Layout::kBigBlock, 0, 3000},
    {Layout::kPicture, kPictureStage5, 4000},
    {Layout::kPicture, kPictureStage6, 4500},
    {Layout::kBars, 0, 5000},
    {Layout::kPicture, kPictureStage7, 15000},
}};

constexpr bool StarsMatchPictures() {
  int32_t pictures = 0;
  for (const StageDesign& design : kStages) pictures += design.layout == Layout::kPicture;
  return pictures == kStarsPerGame;
}
static_assert(StarsMatchPictures(), "every picture stage holds one star");

constexpr int kTurnsPerStage = 50;

}  // namespace

void DrawFieldBorder(Surface& field) {
  field.Box(kBorderLeft, kBorderTop, kBorderRight, kBorderBottom, kWhite);
}

void DrawGoal(Surface& field, int y) {
  field.fill_color = kRed;
  field.fill_style = FillStyle::kSolid;
  field.Circle(kGoalX, y, kGoalRadius, kRed);
  // Later circles (the burst) are outlines only.
  field.fill_style = FillStyle::kTransparent;
}

void ShowTitlePicture(Surface& field) {
  field.AssignPicture(LoadPicture(kPictureTitle));
  DrawFieldBorder(field);
}

int32_t Play::BuildStage(int16_t stage) {
  random_.Seed(tape_.NextSeed(platform_));
  Surface& field = Field();
  field.AssignPicture(nullptr);
  r_.TurnsLeft = kTurnsPerStage;
  if (stage < 1 || stage > int16_t(kStages.size())) {
    // Past the last stage: a bare field, and the bonus of the last one stays.
    DrawFieldBorder(field);
    return kNoSuchStage;
  }

  const StageDesign& design = kStages[size_t(stage - 1)];
  r_.StageBonus = design.bonus;
  // Each block takes its x before its y; big blocks and bars come before the
  // small blocks, bars left to right.
  const auto small_blocks = [&](int count) {
    for (int i = 0; i < count; ++i) {
      const int x = random_.Pick(321, 62);
      const int y = random_.Pick(307, 12);
      field.FilledBox(x, y, x + 10, y + 10, kBlue);
    }
  };
  switch (design.layout) {
    case Layout::kPicture:
      field.AssignPicture(LoadPicture(design.picture));
      break;
    case Layout::kSmallBlocks:
      small_blocks(40);
      break;
    case Layout::kBigBlock: {
      const int x = random_.Pick(81, 132);
      const int y = random_.Pick(217, 12);
      field.FilledBox(x, y, x + 100, y + 100, kBlue);
      small_blocks(30);
      break;
    }
    case Layout::kBars:
      for (int x : {62, 152, 242, 332}) {
        const int y = random_.Pick(269, 12);
        field.FilledBox(x, y, x + 50, y + 60, kBlue);
      }
      small_blocks(30);
      break;
  }
  DrawFieldBorder(field);
  return stage;
}

void Play::PlaceGoal() {
  random_.Seed(tape_.NextSeed(platform_));
  DrawGoal(Field(), random_.Pick(kGoalHighest - kGoalLowest + 1, kGoalLowest));
}

void Play::StartStage(HeadStart start) {
  board_.ShowTurns();
  SaveField();  // without the goal, which comes after the banner
  board_.ShowStage();
  ShowBanner(kBannerGetReady);
  PauseWithEvents(kGetReadySeconds);
  RestoreField();
  PlaceGoal();
  r_.HitColor = 0;
  r_.HeadX = start.x;
  r_.HeadY = start.y;
  r_.Heading = start.heading;
  r_.StarTaken = 0;
  form_.picSTAGE.enabled = true;
}

void Play::DrawBurst(int16_t x, int16_t y) {
  for (int radius = 5; radius <= 25; radius += 5) {
    Field().Circle(x, y, radius, kWhite);
    // Each ring shows before the next is drawn.
    platform_.Yield(platform_.Clock());
  }
}

void Play::SaveField() {
  BitBlt(form_.StageBackup(), 0, 0, kFieldCopyWidth, kFieldCopyHeight, Field(), 0, 0,
         RasterOp::kSrcCopy);
}

void Play::RestoreField() {
  BitBlt(Field(), 0, 0, kFieldCopyWidth, kFieldCopyHeight, form_.StageBackup(), 0, 0,
         RasterOp::kSrcCopy);
}

}  // namespace marvo
