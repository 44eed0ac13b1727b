#pragma once

#include <algorithm>
#include <cstdint>

#include "ui/platform.h"

namespace marvo {

// The clock a game runs on: the platform's own, with the time spent paused
// left out. Every loop of a game (the ticks, the timed banners, the closing
// pause) reads it, so a pause stops them all at once, and on resume they go on
// as if no time had passed: no tick is caught up, the head does not jump.
// A stall counts as a pause: when the process was stopped (Ctrl+Z, SIGSTOP),
// the machine slept or a box held the events, the banner on screen does not
// end at once and the game goes on where it stood.
class GameClock final : public Platform {
 public:
  explicit GameClock(Platform& platform) : platform_(platform), seen_(platform.Clock()) {}

  double Clock() override {
    const double now = paused_ ? paused_at_ : Look();
    return now - paused_for_;
  }
  // While paused, waits for events (a resume among them) without a deadline
  // of the game's: the game's clock stands still, so none would ever come.
  void Yield(double deadline) override {
    if (paused_) {
      platform_.Yield(Look() + kPausedWaitSeconds);
      return;
    }
    // A long wait (a banner's) is taken in short pieces, so that a stop in
    // the middle of it is seen as one and the banner keeps its time.
    const double until = deadline + paused_for_;
    waited_until_ = std::min(until, seen_ + kPieceSeconds);
    platform_.Yield(waited_until_);
    Look();
  }
  uint32_t ClockSeed() override { return platform_.ClockSeed(); }

  void Pause() {
    if (paused_) return;
    paused_at_ = Look();
    paused_ = true;
  }
  void Resume() {
    if (!paused_) return;
    paused_for_ += Look() - paused_at_;
    paused_ = false;
  }
  bool Paused() const { return paused_; }
  // A game begins: the time since the last one was no stall.
  void Begin() { seen_ = platform_.Clock(); }

 private:
  // How long one wait lasts while paused; the loop then looks again.
  static constexpr double kPausedWaitSeconds = 0.5;
  // Longer than any hiccup of a busy machine, far shorter than a stop.
  static constexpr double kStallSeconds = 0.25;
  // The longest the game waits on the platform at once.
  static constexpr double kPieceSeconds = 0.1;

  // Reads the platform's clock. Time since the last reading that the wait
  // asked for does not explain, if more than a hiccup, is a stall.
  double Look() {
    const double now = platform_.Clock();
    const double stalled = now - std::max(seen_, waited_until_);
    if (!paused_ && stalled > kStallSeconds) paused_for_ += stalled;
    seen_ = now;
    return now;
  }

  Platform& platform_;
  bool paused_ = false;
  double paused_at_ = 0.0;
  double paused_for_ = 0.0;
  double seen_;                // the platform's clock at the last reading
  double waited_until_ = 0.0;  // the platform's time the last wait was for
};

}  // namespace marvo
