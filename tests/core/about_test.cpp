#include "shell/about.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/recording_desktop.h"
#include "tests/support/virtual_platform.h"

namespace marvo {
namespace {

using Requests = std::vector<std::string>;

class AboutTest : public ::testing::Test {
 protected:
  void ClickEmblem() {
    int16_t button = 1, shift = 0;
    float x = 5, y = 5;
    desktop.about_events->imgEmblem_MouseUp(button, shift, x, y);
  }
  // Lets the open window's timer tick on virtual time, as the desktop would.
  void Watch(testing::VirtualPlatform& platform) {
    AboutBox* box = slot.Current();
    platform.AddTimer(box->form.ScrollTimer, [this, box] {
      ++ticks;
      box->ScrollTimer_Timer();
    });
  }
  int Top() const { return desktop.about_model->picScroll2.rect.y; }

  MainFormModel main_form;
  testing::RecordingDesktop desktop;
  AboutWindowSlot slot{desktop, main_form};
  testing::VirtualPlatform platform;
  int ticks = 0;
};

TEST_F(AboutTest, TheRollClimbs304PixelsOnceThenStopsAndOkHandsBackTheMainWindow) {
  slot.Open();
  AboutBox* first = slot.Current();
  slot.Open();  // the menu cannot be reached while it is open; if it were, no second box
  EXPECT_EQ(slot.Current(), first);
  EXPECT_FALSE(main_form.enabled);
  Watch(platform);
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

  // The next opening is a fresh window at the top of the roll; its close box
  // mid-roll does what OK does and stops the roll with the window.
  slot.Open();
  AboutBox* second = slot.Current();
  testing::VirtualPlatform later;
  Watch(later);
  ClickEmblem();
  later.RunUntil(later.Clock() + 0.5005);
  EXPECT_EQ(Top(), -32);
  int16_t cancel = 0;
  desktop.about_events->Form_Unload(cancel);
  EXPECT_EQ(cancel, 0);
  EXPECT_TRUE(main_form.enabled && !slot.IsOpen());
  later.RunUntil(later.Clock() + 1.0);
  EXPECT_EQ(second->form.picScroll2.rect.y, -32);
  EXPECT_EQ(desktop.requests,
            (Requests{"show about", "show about", "close about", "show about", "close about"}));
}

TEST(AboutSlotTest, ASlotGoingAwayTakesItsOpenWindowWithIt) {
  MainFormModel main_form;
  testing::RecordingDesktop desktop;
  AboutWindowSlot(desktop, main_form).Open();
  EXPECT_EQ(desktop.requests, (Requests{"show about", "close about"}));
  EXPECT_EQ(desktop.about_model, nullptr);
}

}  // namespace
}  // namespace marvo
