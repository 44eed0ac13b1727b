#include "qt/ending.h"

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QTest>
#include <QWidget>
#include <csignal>
#include <functional>

#include "qt/main_form.h"
#include "qt/qt_desktop.h"

#include "tests/support/quiet_events.h"

namespace marvo {
namespace {

bool WaitFor(const std::function<bool()>& done) {
  for (int i = 0; i < 1000 && !done(); ++i) QTest::qWait(5);
  return done();
}

class RecordingWidget final : public QWidget {
 public:
  int closes = 0;

 protected:
  void closeEvent(QCloseEvent* event) override {
    ++closes;
    event->accept();
  }
};

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

TEST(SessionEndingTest, TerminationSignalsCloseTheMainWindowThroughItsUnloadHandler) {
  const auto before = CurrentHandler(SIGTERM);
  {
    MainFormModel model;
    UnloadEvents events;
    MainForm form(model, events);
    form.ShowCentered();
    QtDesktop desktop;
    desktop.SetMainWindow(&form);
    SessionEnding ending([&desktop] { desktop.CloseMainWindow(); });
    ASSERT_TRUE(ending.Active());

    // The signal only leaves a note: the window closes from the event loop.
    std::raise(SIGTERM);
    EXPECT_EQ(events.unloads, 0);
    EXPECT_TRUE(WaitFor([&] { return events.unloads == 1; }));
    EXPECT_FALSE(form.isVisible());
  }
  EXPECT_EQ(CurrentHandler(SIGTERM), before);
}

TEST(SessionEndingTest, HangUpAndInterruptCloseOnceEachAndHandlersComeBack) {
  const auto hup = CurrentHandler(SIGHUP), interrupt = CurrentHandler(SIGINT);
  RecordingWidget widget;
  {
    SessionEnding ending([&widget] { widget.close(); });
    ASSERT_TRUE(ending.Active());
    SessionEnding second([] {});  // one at a time: the first keeps the signals
    EXPECT_FALSE(second.Active());
    for (int signal_number : {SIGHUP, SIGINT}) {
      widget.show();
      const int closes = widget.closes;
      std::raise(signal_number);
      std::raise(signal_number);
      EXPECT_TRUE(WaitFor([&] { return widget.closes > closes; })) << signal_number;
      QTest::qWait(20);
      EXPECT_EQ(widget.closes, closes + 1) << signal_number;
    }
  }
  EXPECT_EQ(CurrentHandler(SIGHUP), hup);
  EXPECT_EQ(CurrentHandler(SIGINT), interrupt);
}

}  // namespace
}  // namespace marvo
