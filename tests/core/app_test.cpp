#include "shell/app.h"

#include <gtest/gtest.h>

#include "tests/support/fake_text.h"
#include "tests/support/virtual_platform.h"

namespace marvo {
namespace {

class RecordingDesktop final : public Desktop {
 public:
  void CloseMainWindow() override { ++closes; }
  void EndProcess() override { ++ends; }
  int closes = 0;
  int ends = 0;
};

class AppTest : public ::testing::Test {
 protected:
  AppTest() : app(platform, text, desktop) {}

  void PressKey(int16_t code) {
    int16_t shift = 0;
    app.Form_KeyDown(code, shift);
  }
  Color FieldAt(int x, int y) const { return app.form.picSTAGE.surface.GetPixel(x, y); }

  testing::VirtualPlatform platform;
  testing::BlockTextRasterizer text;
  RecordingDesktop desktop;
  App app;
};

TEST_F(AppTest, LoadDrawsTheBorderStoresTheStartUpValuesAndShowsTheBestScore) {
  app.record.HiScore = {0, 1234567, 5000, 4000, 3000, 2000};
  app.record.CaptionIndex = 3;
  app.Form_Load();

  for (auto [x, y] : {std::pair{2, 2}, {443, 2}, {2, 340}, {443, 340}, {200, 2}, {2, 170}}) {
    EXPECT_EQ(FieldAt(x, y), kWhite) << x << "," << y;
  }
  EXPECT_EQ(FieldAt(3, 3), kBlack);
  EXPECT_EQ(app.record.StopFlag, 1);
  EXPECT_EQ(app.record.CaptionIndex, 0);
  EXPECT_EQ(app.record.StepX[4], 3);
  // A seven-digit best score keeps all its digits.
  EXPECT_EQ(app.form.lblSC.caption, "1234567");
  EXPECT_EQ(app.form.lblHSC1.caption, "TOP : 1234567");
  EXPECT_EQ(app.form.lblHSC5.caption, "No5 : 002000");
  EXPECT_FALSE(app.form.lblHSC1.visible);
  // The field prints silver text through the rasterizer it was given.
  Surface& field = app.form.picSTAGE.surface;
  field.current_x = 100, field.current_y = 100;
  field.Print("A");
  EXPECT_EQ(FieldAt(100, 100), kSilver);
}

TEST_F(AppTest, EnterOrTheStartCommandRunsTheInterimGameAndNothingElseDoes) {
  app.Form_Load();
  const uint64_t untouched = app.form.picSTAGE.surface.Generation();
  for (int16_t key : {32, 113, 27}) PressKey(key);  // Space, F2 as a key, Escape
  EXPECT_EQ(app.form.picSTAGE.surface.Generation(), untouched);

  PressKey(13);
  // The head ran from (2, 2) down and right, leaving its trail, until it left the field.
  for (int step = 1; step <= 113; ++step) EXPECT_EQ(FieldAt(2 + 3 * step, 2 + 3 * step), kWhite);
  EXPECT_EQ(FieldAt(4, 4), kBlack);
  EXPECT_GT(platform.Clock(), 1001.0);
  EXPECT_EQ(app.record.GameRunning, 0);
  EXPECT_EQ(app.record.StopFlag, 1);
  EXPECT_EQ(app.record.HeadX, 2);

  // The menu command starts afresh on a cleared field.
  app.form.picSTAGE.surface.Point(100, 50, kBlue);
  app.MMG_Start_Click();
  EXPECT_EQ(FieldAt(100, 50), kBlack);
  EXPECT_EQ(FieldAt(200, 200), kWhite);
}

TEST_F(AppTest, StartCommandsDuringARunDoNothing) {
  app.Form_Load();
  int checks = 0;
  auto try_to_restart = [&] {
    // A nested run would take virtual time before returning.
    const double before = platform.Clock();
    PressKey(13);
    app.MMG_Start_Click();
    EXPECT_EQ(platform.Clock(), before);
    EXPECT_EQ(app.record.GameRunning, 1);
    ++checks;
  };
  platform.After(0.3, try_to_restart);
  platform.After(0.6, try_to_restart);
  app.MMG_Start_Click();
  EXPECT_EQ(checks, 2);
}

TEST_F(AppTest, MusicItemsKeepExactlyOneMarkInEachPair) {
  app.MMG_BGMN_Click();
  EXPECT_FALSE(app.form.MMG_BGMU.checked);
  EXPECT_TRUE(app.form.MMG_BGMN.checked);
  app.MMG_BGMU_Click();
  app.MMG_BGMU_Click();  // already marked: nothing changes
  EXPECT_TRUE(app.form.MMG_BGMU.checked);
  EXPECT_FALSE(app.form.MMG_BGMN.checked);

  app.record.BgmTrack = 7;  // any value the settings file held
  app.MMG_BGMT2_Click();
  EXPECT_EQ(app.record.BgmTrack, 2);
  EXPECT_FALSE(app.form.MMG_BGMT1.checked);
  EXPECT_TRUE(app.form.MMG_BGMT2.checked);
  app.MMG_BGMT1_Click();
  EXPECT_EQ(app.record.BgmTrack, 1);
  EXPECT_TRUE(app.form.MMG_BGMT1.checked);
  EXPECT_FALSE(app.form.MMG_BGMT2.checked);
}

TEST_F(AppTest, ExitClosesTheWindowAndUnloadingEndsTheProgram) {
  app.MMG_End_Click();
  EXPECT_EQ(desktop.closes, 1);
  EXPECT_EQ(desktop.ends, 0);
  int16_t cancel = 0;
  app.Form_Unload(cancel);
  EXPECT_EQ(desktop.ends, 1);
  EXPECT_EQ(cancel, 0);
}

TEST_F(AppTest, TheDemoTimerTicksEveryTenSecondsWhileEnabled) {
  int ticks = 0;
  platform.AddTimer(app.form.DemoTimer, [&] {
    ++ticks;
    app.DemoTimer_Timer();
  });
  const double start = platform.Clock();
  app.Form_Load();
  platform.RunUntil(start + 59.9);
  EXPECT_EQ(ticks, 5);
  platform.RunUntil(start + 60.0);
  EXPECT_EQ(ticks, 6);

  // Switched off for a while, and the count starts afresh when switched on.
  app.form.DemoTimer.enabled = false;
  platform.RunUntil(start + 95.0);
  EXPECT_EQ(ticks, 6);
  app.form.DemoTimer.enabled = true;
  platform.RunUntil(start + 104.9);
  EXPECT_EQ(ticks, 6);
  platform.RunUntil(start + 105.0);
  EXPECT_EQ(ticks, 7);
}

}  // namespace
}  // namespace marvo
