#include "qt/ending.h"

#include <gtest/gtest.h>

#include <QTest>
#include <cerrno>
#include <csignal>

#include "qt/main_form.h"
#include "qt/qt_desktop.h"

#include "tests/support/quiet_events.h"

namespace marvo {
namespace {

// Only the unload handler matters here.
class UnloadEvents final : public testing::QuietEvents {
 public:
  int unloads = 0;
  void Form_Unload(int16_t&) override { ++unloads; }
};

void (*CurrentHandler(int signal_number))(int) {
  struct sigaction now = {};
  sigaction(signal_number, nullptr, &now);
  return now.sa_handler;
}

TEST(SessionEndingTest, EachTerminationSignalClosesTheMainWindowOnceThroughItsUnloadHandler) {
  const int endings[] = {SIGTERM, SIGHUP, SIGINT};
  void (*before[3])(int);
  for (int i = 0; i < 3; ++i) before[i] = CurrentHandler(endings[i]);
  {
    MainFormModel model;
    UnloadEvents events;
    MainForm form(model, events);
    QtDesktop desktop;
    desktop.SetMainWindow(&form);
    SessionEnding ending([&desktop] { desktop.CloseMainWindow(); });
    ASSERT_TRUE(ending.Active());
    SessionEnding second([] {});  // one at a time: the first keeps the signals
    EXPECT_FALSE(second.Active());
    EXPECT_EQ(second.Error(), EBUSY);
    for (int signal_number : endings) {
      SCOPED_TRACE(signal_number);
      form.ShowCentered();
      const int unloads = events.unloads;
      // The signal only leaves a note: the window closes from the event loop.
      std::raise(signal_number);
      std::raise(signal_number);
      EXPECT_EQ(events.unloads, unloads);
      for (int i = 0; i < 1000 && events.unloads == unloads; ++i) QTest::qWait(5);
      QTest::qWait(20);
      EXPECT_EQ(events.unloads, unloads + 1);
      EXPECT_FALSE(form.isVisible());
    }
  }
  for (int i = 0; i < 3; ++i) EXPECT_EQ(CurrentHandler(endings[i]), before[i]) << endings[i];
}

}  // namespace
}  // namespace marvo
