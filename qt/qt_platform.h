#pragma once

#include <QTimer>
#include <chrono>
#include <functional>

#include "ui/platform.h"

namespace marvo {

// The platform on Qt's event loop. Yield handles pending events, then waits in
// the event loop until shortly before the deadline and naps through the last
// fraction of a millisecond: ticks keep their 0.01 s cadence without a core
// spent spinning between them.
class QtPlatform final : public Platform {
 public:
  QtPlatform();

  double Clock() override;
  void Yield(double deadline) override;
  uint32_t ClockSeed() override;

  // Runs at the start of every Yield, before events are handled: the view
  // mirrors the model into the widgets there.
  void SetBeforeEvents(std::function<void()> hook) { before_events_ = std::move(hook); }

 private:
  std::chrono::steady_clock::time_point origin_;
  QTimer wake_;
  std::function<void()> before_events_;
  double nap_early_ = 0.00005;  // seconds; see Yield
};

}  // namespace marvo
