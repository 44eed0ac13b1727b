#include "tests/support/stage_solver.h"

#include <algorithm>

namespace marvo::support {
namespace {

// The head keeps x and y modulo 3 for the whole stage, so states live on a
// lattice of every third pixel, one cell per pixel the head can land on.
class Lattice {
 public:
  Lattice(const Surface& field, HeadStart start)
      : rx_(((start.x % 3) + 3) % 3),
        ry_(((start.y % 3) + 3) % 3),
        columns_((field.Width() - rx_ + 2) / 3),
        rows_((field.Height() - ry_ + 2) / 3) {}

  int States() const { return columns_ * rows_ * 4 * 2; }
  bool Holds(int x, int y) const {
    return x >= 0 && y >= 0 && (x - rx_) / 3 < columns_ && (y - ry_) / 3 < rows_;
  }
  int Index(int x, int y, int heading, bool star) const {
    return ((((y - ry_) / 3) * columns_ + (x - rx_) / 3) * 4 + heading - 1) * 2 + (star ? 1 : 0);
  }
  int X(int state) const { return rx_ + 3 * ((state / 8) % columns_); }
  int Y(int state) const { return ry_ + 3 * ((state / 8) / columns_); }
  static int Heading(int state) { return (state / 2) % 4 + 1; }
  static bool Star(int state) { return state % 2 == 1; }

 private:
  int rx_, ry_, columns_, rows_;
};

// How the search reached a state.
enum Edge : signed char { kNone, kTurn, kStep };

}  // namespace

StagePlan StageSolver::Solve(const Surface& field, HeadStart start, int turns_available) {
  const Lattice lattice(field, start);
  turns_.assign(size_t(lattice.States()), -1);
  parent_.assign(turns_.size(), -1);
  via_.assign(turns_.size(), kNone);

  // 0-1 breadth-first search: a step costs nothing, a press costs one turn.
  queue_.clear();
  const auto& pixels = field.Pixels().pixels;
  const bool no_star = std::find(pixels.begin(), pixels.end(), kYellow) == pixels.end();
  const int first = lattice.Index(start.x, start.y, start.heading, no_star);
  turns_[size_t(first)] = 0;
  queue_.push_back(first);
  int goal_from = -1;
  while (!queue_.empty() && goal_from < 0) {
    const int state = queue_.front();
    queue_.pop_front();
    const int used = turns_[size_t(state)];
    const int x = lattice.X(state), y = lattice.Y(state), heading = Lattice::Heading(state);
    const bool star = Lattice::Star(state);

    const auto reach = [&](int next, int cost, Edge edge) {
      const int total = used + cost;
      if (total > turns_available) return;
      if (turns_[size_t(next)] >= 0 && turns_[size_t(next)] <= total) return;
      turns_[size_t(next)] = total;
      parent_[size_t(next)] = state;
      via_[size_t(next)] = edge;
      cost == 0 ? queue_.push_front(next) : queue_.push_back(next);
    };

    reach(lattice.Index(x, y, kNextHeading[size_t(heading)], star), 1, kTurn);

    const int nx = x + kStepX[size_t(heading)], ny = y + kStepY[size_t(heading)];
    if (!InsideWindow(nx, ny) || !lattice.Holds(nx, ny)) continue;
    const Color color = field.GetPixel(nx, ny);
    if (color == kBlue) continue;
    const bool star_now = star || color == kYellow;
    if (color == kRed) {
      // Red ends the stage whether or not the star was taken; only with it is
      // this a way through.
      if (star_now) goal_from = state;
      continue;
    }
    reach(lattice.Index(nx, ny, heading, star_now), 0, kStep);
  }

  StagePlan plan;
  if (goal_from < 0) return plan;
  plan.solved = true;
  plan.turns = turns_[size_t(goal_from)];

  // Walk back to the start, then number the ticks forwards.
  std::vector<int> path;
  for (int s = goal_from; s >= 0; s = parent_[size_t(s)]) path.push_back(s);
  std::reverse(path.begin(), path.end());
  int tick = 1;
  for (size_t i = 1; i < path.size(); ++i) {
    const int state = path[i];
    if (via_[size_t(state)] == kTurn) {
      if (plan.presses.empty() || plan.presses.back().tick != tick)
        plan.presses.push_back({tick, 0});
      ++plan.presses.back().presses;
      continue;
    }
    if (Lattice::Star(state) && !Lattice::Star(path[i - 1])) plan.star_tick = tick;
    ++tick;
  }
  plan.goal_tick = tick;
  return plan;
}

}  // namespace marvo::support
