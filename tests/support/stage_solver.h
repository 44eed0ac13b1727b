#pragma once

#include <deque>
#include <vector>

#include "engine/geometry.h"
#include "ui/surface.h"

namespace marvo::support {

// Space presses to make just before tick `tick`, that is after the head has
// landed from tick - 1 (tick 1 is the first step off the start point).
struct TurnPresses {
  int tick = 0;
  int presses = 0;  // 1 to 3; several on one spot turn the head there
  bool operator==(const TurnPresses&) const = default;
};

// A way through a stage that takes the star first and then reaches red.
struct StagePlan {
  bool solved = false;
  int turns = 0;                     // presses in all, as few as possible
  int star_tick = 0;                 // the tick whose landing reads the first yellow
  int goal_tick = 0;                 // the tick whose landing reads red
  std::vector<TurnPresses> presses;  // in tick order
};

// Breadth-first search over head position, heading and star taken, by turns
// used, by the game's rules: the head is judged only where it lands on its
// 3-pixel lattice; any number of turns between ticks; blue ends the run, yellow
// takes the star, red clears the stage (once the star is taken, or on a field
// without yellow), every other colour is harmless. It never lands outside the
// inside window: the trail left there would end a later pass.
class StageSolver {
 public:
  StagePlan Solve(const Surface& field, HeadStart start, int turns_available = 50);

 private:
  // Kept from one search to the next: fetching a megabyte afresh for each of
  // hundreds of goal heights costs more than the search itself.
  std::vector<int> turns_;
  std::vector<int> parent_;
  std::vector<signed char> via_;
  std::deque<int> queue_;
};

}  // namespace marvo::support
