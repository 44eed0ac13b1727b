#include "qt/about_window.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "qt/main_form.h"
#include "qt/qt_desktop.h"
#include "shell/about.h"

#include "tests/support/quiet_events.h"

namespace marvo {
namespace {

template <class T = QWidget>
T* Find(QWidget* window, const char* name) {
  return window->findChild<T*>(name);
}

// The roll itself is the About logic's, tested headless and seen end to end
// (shell_e2e.sh: the emblem starts it, Enter closes the window).
TEST(AboutWindowTest, OkEnterEscapeAndTheCloseBoxCloseItMidRollAndEachOpensAFreshOne) {
  MainFormModel main_model;
  support::QuietEvents events;
  MainForm main(main_model, events);
  main.ShowCentered();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
  QtDesktop desktop;
  desktop.SetMainWindow(&main);
  AboutWindowSlot slot{desktop, main_model};
  const std::vector<std::function<void(AboutWindow*)>> ways = {
      [](AboutWindow* w) { QTest::mouseClick(Find(w, "cmdOK"), Qt::LeftButton); },
      [](AboutWindow* w) { QTest::keyClick(w, Qt::Key_Return); },
      [](AboutWindow* w) { QTest::keyClick(w, Qt::Key_Escape); },
      [](AboutWindow* w) { w->close(); },
  };
  for (size_t i = 0; i < ways.size(); ++i) {
    SCOPED_TRACE(i);
    // The version item, as the main window routes it: a fixed window centred
    // beside a disabled main window, the short name's shadow under it.
    slot.Open();
    main.Mirror();
    AboutWindow* window = desktop.About();
    ASSERT_TRUE(window != nullptr && QTest::qWaitForWindowExposed(window));
    EXPECT_FALSE(main.isEnabled());
    EXPECT_TRUE(window->isEnabled() && !window->isModal());
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_LE((window->geometry().center() - screen.center()).manhattanLength(), 2);
    const QObjectList& children = window->children();
    EXPECT_LT(children.indexOf(Find(window, "lblK26_1")),
              children.indexOf(Find(window, "lblK26_2")));
    EXPECT_EQ(window->focusWidget(), Find(window, "cmdOK"));
    // A fresh window, its roll at the start until the emblem is clicked.
    auto* timer = Find<QTimer>(window, "ScrollTimer");
    EXPECT_TRUE(Find(window, "picScroll2")->y() == 0 && !timer->isActive());
    QTest::mouseClick(Find(window, "imgEmblem"), Qt::LeftButton);
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return Find(window, "picScroll2")->y() < -5; }));
    QPointer<AboutWindow> shown = window;
    ways[i](window);
    EXPECT_TRUE(main.isEnabled());  // at once, not at the main window's next event
    EXPECT_FALSE(slot.IsOpen());
    EXPECT_EQ(desktop.About(), nullptr);
    // A dismissed window with a running timer would show itself; the released
    // model is never read again by the window waiting to go.
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown.isNull() || !shown->isVisible(); }));
  }
}

// Counts what reaches the About logic.
class CountingAboutEvents final : public AboutFormEvents {
 public:
  int calls = 0;
  void imgEmblem_MouseUp(int16_t&, int16_t&, float&, float&) override { ++calls; }
  void ScrollTimer_Timer() override { ++calls; }
  void cmdOK_Click() override { ++calls; }
  void Form_Unload(int16_t&) override { ++calls; }
};

TEST(DismissedAboutWindowTest, EventsStillQueuedForAGoneWindowReachNobody) {
  auto model = std::make_unique<AboutFormModel>();
  CountingAboutEvents events;
  int after = 0;
  QPointer<AboutWindow> window = new AboutWindow(*model, events, [&] { ++after; });
  window->findChild<QPushButton*>("cmdOK")->click();
  EXPECT_EQ(std::pair(events.calls, after), std::pair(1, 1));
  window->Dismiss();
  model.reset();  // the logic lets its model go once the window is dismissed
  EXPECT_EQ(window->Model(), nullptr);
  window->findChild<QPushButton*>("cmdOK")->click();
  window->close();
  QTest::mouseClick(window->findChild<QWidget*>("imgEmblem"), Qt::LeftButton);
  EXPECT_EQ(std::pair(events.calls, after), std::pair(1, 1));
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }));
}

}  // namespace
}  // namespace marvo
