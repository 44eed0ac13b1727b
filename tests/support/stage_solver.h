#pragma once

#include <deque>
#include <vector>

#include "engine/geometry.h"
#include "ui/surface.h"

namespace marvo::testing {

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
// used, with the game's rules: the head lands only on its 3-pixel diagonal
// lattice and is judged only there; turns happen between ticks, any number on
// one spot; blue ends the run, yellow takes the star, red clears the stage
// (only wanted once the star is taken; on a field without any yellow, such as
// the random block stages, red alone will do), every other colour is harmless. The
// search never lands outside the inside window even where the field is black, because the trail
// left out there would end a later pass the same way. Works on any field: a picture stage or random
// blocks, with its border and goal drawn as the game draws them.
class StageSolver {
 public:
  StagePlan Solve(const Surface& field, HeadStart start, int turns_available = 50);

 private:
  // Kept from one search to the next: a search touches about a megabyte, and
  // fetching it afresh for each of hundreds of goal heights costs more than
  // the search itself.
  std::vector<int> turns_;
  std::vector<int> parent_;
  std::vector<signed char> via_;
  std::deque<int> queue_;
};

}  // namespace marvo::testing
