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
  // Lets the window's timers tick on virtual time, as the desktop would.
  void Watch(testing::VirtualPlatform& platform) {
    AboutBox* box = slot.Current();
    platform.AddTimer(box->form.ScrollTimer, [box] { box->ScrollTimer_Timer(); });
  }

  MainFormModel main_form;
  testing::RecordingDesktop desktop;
  AboutWindowSlot slot{desktop, main_form};
};

TEST_F(AboutTest, TheRollClimbs304PixelsOnceThenStopsAndOkHandsBackTheMainWindow) {
  slot.Open();
  ASSERT_TRUE(slot.IsOpen());
  EXPECT_FALSE(main_form.enabled);
  EXPECT_EQ(desktop.requests, Requests{"show about"});
  AboutFormModel& about = *desktop.about_model;
  EXPECT_EQ(&about, &slot.Current()->form);
  EXPECT_EQ(about.picScroll2.rect, (Rect{0, 0, 297, 409}));
  EXPECT_EQ(std::pair(about.ScrollTimer.interval_ms, about.ScrollTimer.enabled),
            std::pair(1, false));

  testing::VirtualPlatform platform;
  int ticks = 0;
  AboutBox* box = slot.Current();
  platform.AddTimer(about.ScrollTimer, [&] {
    ++ticks;
    box->ScrollTimer_Timer();
  });
  // Nothing moves until the emblem is clicked.
  platform.RunUntil(platform.Clock() + 1.0);
  EXPECT_EQ(std::pair(ticks, about.picScroll2.rect.y), std::pair(0, 0));

  ClickEmblem();
  EXPECT_FALSE(about.imgEmblem.enabled);
  EXPECT_TRUE(about.ScrollTimer.enabled);
  platform.RunUntil(platform.Clock() + 0.1005);  // 100 ticks of 1 ms
  EXPECT_EQ(about.picScroll2.rect.y, -100);
  // A second click during the roll changes nothing.
  ClickEmblem();
  EXPECT_EQ(about.picScroll2.rect.y, -100);
  platform.RunUntil(platform.Clock() + 5.0);
  // 304 moves, and the tick after the last one stops the timer for good.
  EXPECT_EQ(about.picScroll2.rect.y, -304);
  EXPECT_EQ(ticks, 305);
  EXPECT_FALSE(about.ScrollTimer.enabled);
  EXPECT_EQ(about.picScroll2.rect.height, 409);
  ClickEmblem();  // after the roll: no restart
  platform.RunUntil(platform.Clock() + 1.0);
  EXPECT_EQ(std::pair(ticks, about.picScroll2.rect.y), std::pair(305, -304));
  EXPECT_FALSE(main_form.enabled);

  // OK: the main window first, then the About window goes; the model lives on
  // until the next opening, so OK's own handler returns into a live object.
  AboutBox* first = slot.Current();
  desktop.about_events->cmdOK_Click();
  EXPECT_TRUE(main_form.enabled);
  EXPECT_FALSE(slot.IsOpen());
  EXPECT_EQ(slot.Current(), first);
  EXPECT_EQ(desktop.requests, (Requests{"show about", "close about"}));
  first->cmdOK_Click();  // a click queued behind the first closes nothing twice
  EXPECT_EQ(desktop.requests.size(), 2u);

  // The next opening is a fresh window at the top of the roll.
  main_form.enabled = true;
  slot.Open();
  EXPECT_FALSE(main_form.enabled);
  AboutFormModel& again = *desktop.about_model;
  EXPECT_EQ(again.picScroll2.rect.y, 0);
  EXPECT_TRUE(again.imgEmblem.enabled);
  EXPECT_FALSE(again.ScrollTimer.enabled);
  testing::VirtualPlatform later;
  Watch(later);
  ClickEmblem();
  later.RunUntil(later.Clock() + 0.0505);
  EXPECT_EQ(again.picScroll2.rect.y, -50);
}

TEST_F(AboutTest, TheCloseBoxMidRollDoesWhatOkDoesAndOpeningTwiceShowsTheSameWindow) {
  slot.Open();
  AboutBox* box = slot.Current();
  slot.Open();  // the menu cannot be reached while it is open; if it were, no second box
  EXPECT_EQ(slot.Current(), box);
  EXPECT_EQ(desktop.requests, (Requests{"show about", "show about"}));

  testing::VirtualPlatform platform;
  Watch(platform);
  ClickEmblem();
  platform.RunUntil(platform.Clock() + 0.0305);
  int16_t cancel = 0;
  desktop.about_events->Form_Unload(cancel);
  EXPECT_EQ(cancel, 0);
  EXPECT_TRUE(main_form.enabled);
  EXPECT_FALSE(slot.IsOpen());
  // The roll stops with the window.
  const int top = box->form.picScroll2.rect.y;
  platform.RunUntil(platform.Clock() + 1.0);
  EXPECT_EQ(box->form.picScroll2.rect.y, top);
  EXPECT_EQ(desktop.requests.back(), "close about");
}

TEST(AboutSlotTest, ASlotGoingAwayTakesItsOpenWindowWithIt) {
  MainFormModel main_form;
  testing::RecordingDesktop desktop;
  {
    AboutWindowSlot slot(desktop, main_form);
    slot.Open();
  }
  EXPECT_EQ(desktop.requests, (Requests{"show about", "close about"}));
  EXPECT_EQ(desktop.about_model, nullptr);
}

}  // namespace
}  // namespace marvo
