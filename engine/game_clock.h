#pragma once

#include <cstdint>

#include "ui/platform.h"

namespace marvo {

// The clock a game runs on: the platform's own, with the time spent paused
// left out. Every loop of a game (the ticks, the timed banners, the closing
// pause) reads it, so a pause stops them all at once, and on resume they go on
// as if no time had passed: no tick is caught up, the head does not jump.
class GameClock final : public Platform {
 public:
  explicit GameClock(Platform& platform) : platform_(platform) {}

  double Clock() override { return (paused_ ? paused_at_ : platform_.Clock()) - paused_for_; }
  // While paused, waits for events (a resume among them) without a deadline
  // of the game's: the game's clock stands still, so none would ever come.
  void Yield(double deadline) override {
    if (paused_)
      platform_.Yield(platform_.Clock() + kPausedWaitSeconds);
    else
      platform_.Yield(deadline + paused_for_);
  }
  uint32_t ClockSeed() override { return platform_.ClockSeed(); }

  void Pause() {
    if (paused_) return;
    paused_ = true;
    paused_at_ = platform_.Clock();
  }
  void Resume() {
    if (!paused_) return;
    paused_ = false;
    paused_for_ += platform_.Clock() - paused_at_;
  }
  bool Paused() const { return paused_; }

 private:
  // How long one wait lasts while paused; the loop then looks again.
  static constexpr double kPausedWaitSeconds = 0.5;

  Platform& platform_;
  bool paused_ = false;
  double paused_at_ = 0.0;
  double paused_for_ = 0.0;
};

}  // namespace marvo
