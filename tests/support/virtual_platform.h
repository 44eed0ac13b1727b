#pragma once

#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "ui/form.h"
#include "ui/platform.h"

namespace marvo::support {

// A platform on virtual time: Yield jumps the clock straight to the deadline
// (or to the next scripted event, if that comes first) and runs scripted
// actions, such as key presses, when their time has come. A whole game runs in
// milliseconds. Model timers tick on the same clock.
class VirtualPlatform final : public Platform {
 public:
  double Clock() override { return now_; }
  void Yield(double deadline) override;
  // The virtual clock's reading as a seed, unless a test fixed the seed.
  uint32_t ClockSeed() override;
  void FixSeed(uint32_t seed) { fixed_seed_ = seed; }

  // Runs `action` inside the first Yield whose clock has reached `time`.
  void At(double time, std::function<void()> action);
  // The same, `delay` seconds from now.
  void After(double delay, std::function<void()> action) { At(now_ + delay, std::move(action)); }

  // Runs `on_tick` whenever `timer` comes due, as the window's timers do: every
  // interval while enabled, counted afresh from each enabling.
  void AddTimer(const Timer& timer, std::function<void()> on_tick);
  // Yields until the clock reaches `time`: the window sitting idle.
  void RunUntil(double time);

  // The process stopped (SIGSTOP) at `time` for `seconds`: the wait it fell in
  // ends at the later of its own end and the stop's.
  void StallAt(double time, double seconds) { stall_ = {time, seconds}; }

  // How far a Yield moves the clock when its deadline has already passed.
  void SetQuantum(double seconds) { quantum_ = seconds; }
  long Yields() const { return yields_; }

 private:
  struct WatchedTimer {
    const Timer* timer;
    std::function<void()> on_tick;
    bool armed = false;
    int interval_ms = 0;
    double due = 0.0;
  };
  void RunDue();
  void ArmTimers();
  double NextDue() const;

  double now_ = 1000.0;  // away from zero, so nothing can lean on a zero clock
  std::optional<uint32_t> fixed_seed_;
  double quantum_ = 0.0005;
  long yields_ = 0;
  std::optional<std::pair<double, double>> stall_;  // when, how long
  std::multimap<double, std::function<void()>> scripted_;
  std::vector<WatchedTimer> timers_;
};

}  // namespace marvo::support
