#pragma once

#include <cstdint>

namespace marvo {

// The game's one seam to the outside world's time and event queue. The game's
// loops never sleep and never start threads: they read the clock and yield on
// every pass, and key presses, menu commands and repaints run inside Yield.
class Platform {
 public:
  // Seconds on a monotonic clock. Only differences are used, so the turn of the
  // day (or any other wall-clock jump) changes nothing.
  virtual double Clock() = 0;
  // Handles every pending event, then waits for new ones at most until the clock
  // reads `deadline` (it may return earlier). A deadline already passed means:
  // handle what is pending and return at once.
  virtual void Yield(double deadline) = 0;
  // A seed for the random generator taken from the clock at this moment: not
  // repeatable, so two stages built a moment apart differ.
  virtual uint32_t ClockSeed() = 0;

 protected:
  ~Platform() = default;
};

}  // namespace marvo
