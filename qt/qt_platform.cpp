#include "qt/qt_platform.h"

#include <sys/prctl.h>
#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace marvo {

namespace {
// Qt timers count whole milliseconds, so the event-loop wait ends up to a
// millisecond early; the last stretch before the deadline, always under
// kNapLimit, is slept through. An event that arrives in it waits that long.
constexpr double kWakeMargin = 0.0002;
constexpr double kNapLimit = 0.0015;
// A nap ends early by about as long as waking up has lately taken, so the
// caller spins only the few microseconds left. Waking is timed after every nap:
// a late wake-up widens the margin quickly, a prompt one narrows it slowly, and
// the margin stays within these bounds, so slow wake-ups never cost much spinning.
constexpr double kNapEarlyMin = 0.00002;
constexpr double kNapEarlyMax = 0.0002;
}  // namespace

QtPlatform::QtPlatform() : origin_(std::chrono::steady_clock::now()) {
  // Linux lets a sleeping thread oversleep by 50 us by default; ticks 0.01 s
  // apart want their waits to end on time.
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  wake_.setSingleShot(true);
  wake_.setTimerType(Qt::PreciseTimer);
}

double QtPlatform::Clock() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - origin_).count();
}

uint32_t QtPlatform::ClockSeed() {
  // The wall clock's nanoseconds, folded: different on every call.
  const auto ns = std::chrono::system_clock::now().time_since_epoch().count();
  return uint32_t(ns) ^ uint32_t(uint64_t(ns) >> 32);
}

void QtPlatform::Yield(double deadline) {
  if (before_events_) before_events_();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  double remaining = deadline - Clock();
  const int wait_ms = int(std::floor((remaining - kWakeMargin) * 1000.0));
  if (wait_ms >= 1) {
    // The timer only wakes the loop; any other event ends the wait earlier.
    wake_.start(wait_ms);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    wake_.stop();
    remaining = deadline - Clock();
  }
  if (remaining > nap_early_ && remaining < kNapLimit) {
    const double wake = deadline - nap_early_;
    std::this_thread::sleep_for(std::chrono::duration<double>(remaining - nap_early_));
    const double late = std::min(Clock() - wake, kNapEarlyMax);
    nap_early_ += (late - nap_early_) * (late > nap_early_ ? 0.25 : 1.0 / 32);
    nap_early_ = std::clamp(nap_early_, kNapEarlyMin, kNapEarlyMax);
  }
}

}  // namespace marvo
