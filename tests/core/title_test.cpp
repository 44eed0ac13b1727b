#include "shell/title.h"

#include <gtest/gtest.h>

#include <string>

#include "flow/status.h"
#include "resources/pictures.h"
#include "shell/commands.h"
#include "tests/support/virtual_platform.h"

namespace marvo {
namespace {

// The title screen as start-up leaves it, with the demo timer ticking on
// virtual time.
class TitleTest : public ::testing::Test {
 protected:
  TitleTest() {
    FillLinkList(record);
    form.picCG1.surface.AssignPicture(LoadPicture(111));
    form.picSTAGE.surface.AssignPicture(LoadPicture(110));
    form.picSTAGE.surface.Box(2, 2, 443, 340, kWhite);
    record.StoreStartUpValues();
    start = platform.Clock();
    platform.AddTimer(form.DemoTimer, [this] { DemoTick(record, form); });
  }

  // What the field must show: the title, dimmed or not, inside the white border.
  bool FieldShows(bool dimmed) const {
    const Image& title = *LoadPicture(110);
    const Image& mask = *LoadPicture(111);
    const Surface& field = form.picSTAGE.surface;
    for (int y = 0; y < field.Height(); ++y) {
      for (int x = 0; x < field.Width(); ++x) {
        const bool border = ((x == 2 || x == 443) && y >= 2 && y <= 340) ||
                            ((y == 2 || y == 340) && x >= 2 && x <= 443);
        Color expected = dimmed ? (title.At(x, y) & mask.At(x, y)) : title.At(x, y);
        if (border) expected = kWhite;
        if (field.GetPixel(x, y) != expected) {
          ADD_FAILURE() << "field at " << x << "," << y;
          return false;
        }
      }
    }
    return true;
  }
  bool HallOfFameShown() const {
    const bool shown = form.lblHSCTitle.visible;
    for (const Label* entry :
         {&form.lblHSC1, &form.lblHSC2, &form.lblHSC3, &form.lblHSC4, &form.lblHSC5})
      EXPECT_EQ(entry->visible, shown) << entry->name;
    return shown;
  }
  void RunTo(double seconds) { platform.RunUntil(start + seconds + 0.001); }

  GameRecord record;
  MainFormModel form;
  testing::VirtualPlatform platform;
  double start = 0;
};

TEST_F(TitleTest, CaptionsRotateInFivesWhileTheViewsAlternateInTwos) {
  RunTo(9.9);
  EXPECT_EQ(form.lblBgmName.caption, "MARVOSTEL Version 1.0.5");
  EXPECT_EQ(record.CaptionIndex, 0);

  // Tick by tick: the caption entry and whether the field is dimmed under the
  // hall of fame.
  const std::pair<int, bool> expected[] = {{1, true}, {2, false}, {3, true}, {4, false},
                                           {5, true}, {1, false}, {2, true}};
  for (int tick = 1; tick <= 7; ++tick) {
    SCOPED_TRACE(tick);
    RunTo(10.0 * tick);
    const auto [entry, dimmed] = expected[tick - 1];
    EXPECT_EQ(record.CaptionIndex, entry);
    EXPECT_EQ(form.lblBgmName.caption, record.Captions[size_t(entry)]);
    EXPECT_EQ(record.DemoPhase, dimmed ? 1 : 0);
    EXPECT_EQ(HallOfFameShown(), dimmed);
    EXPECT_TRUE(FieldShows(dimmed));
  }
  EXPECT_EQ(form.lblBgmName.caption, "Qt Framework (https://www.qt.io/)");
}

TEST_F(TitleTest, AfterAGameTheCaptionsGoOnWhereTheyStoodOverTheFreshTitle) {
  RunTo(30);
  ASSERT_EQ(record.CaptionIndex, 3);
  // A game: the timer stops, the field is played on and the hall of fame hidden;
  // the return to the title restores the title picture and the idle values.
  form.DemoTimer.enabled = false;
  ShowHallOfFame(form, 0);
  form.picSTAGE.surface.AssignPicture(LoadPicture(101));
  platform.RunUntil(platform.Clock() + 95.0);
  EXPECT_EQ(record.CaptionIndex, 3);
  form.picSTAGE.surface.AssignPicture(LoadPicture(110));
  form.picSTAGE.surface.Box(2, 2, 443, 340, kWhite);
  record.ResetToIdle();
  form.DemoTimer.enabled = true;

  const double back = platform.Clock();
  platform.RunUntil(back + 9.9);
  EXPECT_EQ(record.CaptionIndex, 3);
  platform.RunUntil(back + 10.001);
  EXPECT_EQ(record.CaptionIndex, 4);
  EXPECT_EQ(form.lblBgmName.caption, record.Captions[4]);
  EXPECT_TRUE(HallOfFameShown());
  EXPECT_TRUE(FieldShows(true));
}

}  // namespace
}  // namespace marvo
