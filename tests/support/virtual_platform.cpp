#include "tests/support/virtual_platform.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace marvo::support {

void VirtualPlatform::At(double time, std::function<void()> action) {
  scripted_.emplace(time, std::move(action));
}

void VirtualPlatform::AddTimer(const Timer& timer, std::function<void()> on_tick) {
  timers_.push_back({&timer, std::move(on_tick)});
  ArmTimers();
}

void VirtualPlatform::RunUntil(double time) {
  while (now_ < time) Yield(time);
}

uint32_t VirtualPlatform::ClockSeed() {
  if (fixed_seed_) return *fixed_seed_;
  // Microseconds of virtual time: two readings a tick apart give two seeds.
  return uint32_t(int64_t(now_ * 1e6));
}

void VirtualPlatform::Yield(double deadline) {
  ++yields_;
  RunDue();
  // Straight to what comes first; only a wait already over moves on by the quantum.
  const double next = std::min(deadline, NextDue());
  now_ = next > now_ ? next : now_ + quantum_;
  if (stall_ && now_ >= stall_->first) {
    const auto [at, seconds] = *std::exchange(stall_, {});
    now_ = std::max(now_, at + seconds);
  }
  RunDue();
}

void VirtualPlatform::ArmTimers() {
  // Timers look at their model when the event queue is served, as the window's do.
  for (WatchedTimer& w : timers_) {
    const bool running = w.timer->enabled && w.timer->interval_ms > 0;
    if (!running) {
      w.armed = false;
    } else if (!w.armed || w.interval_ms != w.timer->interval_ms) {
      w.armed = true;
      w.interval_ms = w.timer->interval_ms;
      w.due = now_ + w.interval_ms / 1000.0;
    }
  }
}

double VirtualPlatform::NextDue() const {
  double next =
      scripted_.empty() ? std::numeric_limits<double>::infinity() : scripted_.begin()->first;
  for (const WatchedTimer& w : timers_) {
    if (w.armed) next = std::min(next, w.due);
  }
  return next;
}

void VirtualPlatform::RunDue() {
  // An action may script further actions or switch timers, so take one at a
  // time, earliest first.
  for (;;) {
    ArmTimers();
    WatchedTimer* timer = nullptr;
    for (WatchedTimer& w : timers_) {
      if (w.armed && w.due <= now_ && (timer == nullptr || w.due < timer->due)) timer = &w;
    }
    const bool script_due = !scripted_.empty() && scripted_.begin()->first <= now_;
    if (timer != nullptr && (!script_due || timer->due <= scripted_.begin()->first)) {
      // A late tick is not caught up: the next one is a whole interval later.
      timer->due += timer->interval_ms / 1000.0;
      if (timer->due <= now_) timer->due = now_ + timer->interval_ms / 1000.0;
      timer->on_tick();
    } else if (script_due) {
      auto action = std::move(scripted_.begin()->second);
      scripted_.erase(scripted_.begin());
      action();
    } else {
      return;
    }
  }
}

}  // namespace marvo::support
