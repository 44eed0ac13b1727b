#include "shell/about.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/recording_desktop.h"
#include "tests/support/virtual_platform.h"

namespace marvo {
namespace {

using Requests = std::vector<std::string>;

class AboutTest : public testing::Test {
 protected:
  void ClickEmblem() {
    int16_t button = 1, shift = 0;
    float x = 5, y = 5;
    desktop.about_events->imgEmblem_MouseUp(button, shift, x, y);
  }
  int Top() const { return desktop.about_model->picScroll2.rect.y; }

  MainFormModel main_form;
  support::RecordingDesktop desktop;
  AboutWindowSlot slot{desktop, main_form};
  support::VirtualPlatform platform;
};

TEST_F(AboutTest, TheRollClimbs304PixelsOnceThenStopsAndOkHandsBackTheMainWindow) {
  int ticks = 0;
  slot.Open();
  AboutBox* first = slot.Current();
  slot.Open();  // the menu cannot be reached while it is open; if it were, no second box
  EXPECT_EQ(slot.Current(), first);
  EXPECT_FALSE(main_form.enabled);
  // The window's timer ticks on virtual time, as the desktop would tick it.
  platform.AddTimer(first->form.ScrollTimer, [&] { ++ticks, first->ScrollTimer_Timer(); });
  platform.RunUntil(platform.Clock() + 1.0);  // nothing moves until the emblem is clicked
  EXPECT_EQ(std::pair(ticks, Top()), std::pair(0, 0));

  // 64 moves a second, so the roll can be read: 304 moves in 4.75 s.
  ClickEmblem();
  const double clicked = platform.Clock();
  platform.RunUntil(clicked + 1.0005);
  ClickEmblem();  // a second click changes nothing
  EXPECT_EQ(Top(), -64);
  platform.RunUntil(clicked + 4.7495);
  EXPECT_EQ(Top(), -303);
  platform.RunUntil(clicked + 10.0);
  // 304 moves, and the tick after the last one stops the timer for good.
  EXPECT_EQ(std::pair(ticks, Top()), std::pair(305, -304));
  EXPECT_FALSE(first->form.ScrollTimer.enabled);
  ClickEmblem();  // after the roll: no restart
  platform.RunUntil(platform.Clock() + 1.0);
  EXPECT_EQ(std::pair(ticks, Top()), std::pair(305, -304));

  // OK: the main window back, the About window gone; the model lives on until
  // the next opening, so OK's own handler returns into a live object.
  desktop.about_events->cmdOK_Click();
  EXPECT_TRUE(main_form.enabled);
  EXPECT_FALSE(slot.IsOpen());
  EXPECT_EQ(slot.Current(), first);
  first->cmdOK_Click();  // a click queued behind the first closes nothing twice

  // A slot going away takes its open window with it.
  { AboutWindowSlot(desktop, main_form).Open(); }
  EXPECT_EQ(desktop.requests,
            (Requests{"show about", "show about", "close about", "show about", "close about"}));
  EXPECT_EQ(desktop.about_model, nullptr);
}

}  // namespace
}  // namespace marvo
