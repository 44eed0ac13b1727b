#pragma once

#include <QSocketNotifier>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>

#include "ui/platform.h"

namespace marvo {

// The platform on Qt's event loop. Yield handles pending events, then waits in
// the event loop for the next event or the deadline, whichever comes first. A
// kernel timer (timerfd) wakes it as long before the deadline as waking up
// has lately taken, and the few microseconds still left are spun through
// inside the same yield: a tick takes one pass through the window's mirror and
// its events and one wake-up, lands on time, and no core is spent spinning
// between ticks.
// Made after the application object.
class QtPlatform final : public Platform {
 public:
  QtPlatform();
  ~QtPlatform();
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;

  double Clock() override;
  void Yield(double deadline) override;
  uint32_t ClockSeed() override;

  // Runs at the start of every Yield, before events are handled: the view
  // mirrors the model into the widgets there.
  void SetBeforeEvents(std::function<void()> hook) { before_events_ = std::move(hook); }

 private:
  // Sets the wake-up for the moment the clock reads `deadline`.
  void WakeAt(double deadline);

  std::chrono::steady_clock::time_point origin_;
  int timer_fd_ = -1;
  std::unique_ptr<QSocketNotifier> wake_;
  // Without a kernel timer: a Qt timer, whole milliseconds, rounded up.
  QTimer coarse_wake_;
  std::function<void()> before_events_;
  // How long before the deadline the kernel timer is set: about as long as
  // waking up has lately taken.
  double wake_early_ = 0.0001;
};

}  // namespace marvo
