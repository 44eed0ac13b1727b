#include "qt/qt_platform.h"

#include <sys/prctl.h>
#include <sys/timerfd.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace marvo {

namespace {
// Bounds of the early wake-up. A late wake-up widens it quickly, a prompt one
// narrows it slowly; so slow wake-ups never cost more than this much spinning.
constexpr double kWakeEarlyMin = 0.00002;
constexpr double kWakeEarlyMax = 0.0002;
}  // namespace

QtPlatform::QtPlatform() : origin_(std::chrono::steady_clock::now()) {
  // Linux lets a sleeping thread oversleep by 50 us by default; ticks 0.01 s
  // apart want their waits to end on time.
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  coarse_wake_.setSingleShot(true);
  coarse_wake_.setTimerType(Qt::PreciseTimer);
  timer_fd_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
  if (timer_fd_ < 0) {
    std::fprintf(stderr, "marvostel: no kernel timer (%s): ticks keep whole milliseconds\n",
                 std::strerror(errno));
    return;
  }
  wake_ = std::make_unique<QSocketNotifier>(timer_fd_, QSocketNotifier::Read);
  QObject::connect(wake_.get(), &QSocketNotifier::activated, [fd = timer_fd_] {
    uint64_t expirations = 0;
    if (read(fd, &expirations, sizeof expirations) < 0) {
      // Nothing to take: the timer was set again after it fired.
    }
  });
}

QtPlatform::~QtPlatform() {
  wake_.reset();
  if (timer_fd_ >= 0) close(timer_fd_);
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
  const double remaining = deadline - Clock();
  if (remaining <= 0) return;
  if (timer_fd_ < 0) {
    coarse_wake_.start(int(std::ceil(remaining * 1000.0)));
    // Any other event ends the wait earlier; the caller then yields again.
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    return;
  }
  const double wake = deadline - std::min(wake_early_, remaining);
  WakeAt(wake);
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  const double now = Clock();
  // An event before the wake-up: the caller yields again. Otherwise the timer
  // fired; how late it woke sets the next margin, and the rest is spun out.
  if (now < wake) return;
  const double late = std::min(now - wake, kWakeEarlyMax);
  wake_early_ += (late - wake_early_) * (late > wake_early_ ? 0.25 : 1.0 / 32);
  wake_early_ = std::clamp(wake_early_, kWakeEarlyMin, kWakeEarlyMax);
  while (Clock() < deadline) {
  }
}

void QtPlatform::WakeAt(double deadline) {
  // The steady clock is the monotonic clock the kernel timer counts on. Setting
  // the timer also clears an expiry not yet read.
  const auto at = origin_ + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                std::chrono::duration<double>(deadline));
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(at.time_since_epoch());
  itimerspec wake_at{};
  wake_at.it_value = {time_t(ns.count() / 1000000000), long(ns.count() % 1000000000)};
  timerfd_settime(timer_fd_, TFD_TIMER_ABSTIME, &wake_at, nullptr);
}

}  // namespace marvo
