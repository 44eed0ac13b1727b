#include "shell/title.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/field.h"
#include "flow/status.h"
#include "generated/game_files.h"
#include "generated/version.h"
#include "resources/pictures.h"
#include "shell/commands.h"
#include "tests/support/golden.h"
#include "tests/support/virtual_platform.h"

namespace marvo {
namespace {

// The title screen as start-up leaves it, with the demo timer ticking on
// virtual time.
class TitleTest : public testing::Test {
 protected:
  TitleTest() {
    FillLinkList(record);
    form.TitleMask().AssignPicture(LoadPicture(kPictureTitleMask));
    ShowTitlePicture(form.picSTAGE.surface);
    record.StoreStartUpValues();
    platform.AddTimer(form.DemoTimer, [this] { DemoTick(record, form); });
  }
  // Whether the field shows the title, dimmed under the hall of fame or not,
  // inside the white border.
  void ExpectView(bool dimmed) const {
    for (const Label* entry : {&form.lblHSCTitle, &form.lblHSC1, &form.lblHSC5})
      EXPECT_EQ(entry->visible, dimmed) << entry->name;
    EXPECT_TRUE(
        support::MatchesPng(form.picSTAGE.surface.Pixels(),
                            dimmed ? "tests/golden/title-dimmed.png" : "tests/golden/title.png"));
  }
  void RunTo(double seconds) { platform.RunUntil(start + seconds + 0.001); }

  GameRecord record;
  MainFormModel form;
  support::VirtualPlatform platform;
  const double start = platform.Clock();
};

TEST_F(TitleTest, CaptionsRotateInFivesWhileTheViewsAlternateInTwosAndGoOnAfterAGame) {
  RunTo(9.9);
  EXPECT_EQ(form.lblBgmName.caption, std::string("MARVOSTEL Version ") + MARVO_VERSION);
  // Tick by tick: the caption entry, and whether the field is dimmed under the
  // hall of fame.
  const std::pair<int, bool> expected[] = {{1, true}, {2, false}, {3, true}, {4, false},
                                           {5, true}, {1, false}, {2, true}};
  for (int tick = 1; tick <= 7; ++tick) {
    SCOPED_TRACE(tick);
    RunTo(10.0 * tick);
    const auto [entry, dimmed] = expected[tick - 1];
    EXPECT_EQ(std::pair(record.CaptionIndex, record.DemoPhase), std::pair(entry, dimmed ? 1 : 0));
    EXPECT_EQ(form.lblBgmName.caption, record.Captions[size_t(entry)]);
    ExpectView(dimmed);
  }

  // A game: the timer stops and the field is played on; the return to the
  // title restores the title picture and the idle values. The captions go on
  // where they stood, ten seconds after the timer starts again.
  form.DemoTimer.enabled = false;
  form.picSTAGE.surface.AssignPicture(LoadPicture(kPictureStage1));
  RunTo(125);
  ShowTitlePicture(form.picSTAGE.surface);
  record.ResetToIdle();
  form.DemoTimer.enabled = true;
  RunTo(134.9);
  EXPECT_EQ(record.CaptionIndex, 2);
  RunTo(135.01);
  EXPECT_EQ(record.CaptionIndex, 3);
  EXPECT_EQ(form.lblBgmName.caption, record.Captions[3]);
  ExpectView(true);
}

}  // namespace
}  // namespace marvo
