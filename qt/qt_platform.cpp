#include "qt/qt_platform.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <cmath>

namespace marvo {

namespace {
// How long before a deadline the event-loop wait ends. Qt timers have whole
// milliseconds and may fire a little late; the rest is spun by the caller.
constexpr double kSpinMargin = 0.001;
}  // namespace

QtPlatform::QtPlatform() : origin_(std::chrono::steady_clock::now()) {
  wake_.setSingleShot(true);
  wake_.setTimerType(Qt::PreciseTimer);
}

double QtPlatform::Clock() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - origin_).count();
}

void QtPlatform::Yield(double deadline) {
  if (before_events_) before_events_();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  const int wait_ms = int(std::floor((deadline - Clock() - kSpinMargin) * 1000.0));
  if (wait_ms >= 1) {
    // The timer only wakes the loop; any other event ends the wait earlier.
    wake_.start(wait_ms);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    wake_.stop();
  }
}

}  // namespace marvo
