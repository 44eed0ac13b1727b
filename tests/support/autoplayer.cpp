#include "tests/support/autoplayer.h"

#include <algorithm>

namespace marvo::support {

void Autoplayer::Yield(double deadline) {
  if (on_yield) on_yield();
  if (record_ == nullptr) return inner_.Yield(deadline);
  const bool enabled = field_->enabled;
  if (enabled && !was_enabled_) {
    BeginStage();
  } else if (enabled && (record_->HeadX != last_x_ || record_->HeadY != last_y_)) {
    // The head moved: one tick done.
    ++ticks_;
    last_x_ = record_->HeadX;
    last_y_ = record_->HeadY;
    PressFor(ticks_ + 1);
  }
  was_enabled_ = enabled;
  inner_.Yield(deadline);
}

void Autoplayer::BeginStage() {
  ticks_ = 0;
  last_x_ = record_->HeadX;
  last_y_ = record_->HeadY;
  if (playing && !Random()) {
    Surface field = field_->surface;
    if (leave_star_on.count(record_->StageNo)) {
      // A star turned to wall is a star the plan goes round.
      const Image& pixels = field.Pixels();
      for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x)
          if (pixels.At(x, y) == kYellow) field.Point(x, y, kBlue);
    }
    if (Aiming()) MarkEdge(field);
    plan_ = solver_.Solve(field, {record_->HeadX, record_->HeadY, record_->Heading});
  }
  PressFor(1);
}

void Autoplayer::MarkEdge(Surface& field) const {
  // The head keeps its start's remainders modulo 3; the innermost line it can
  // land on inside the border, reached heading outwards, has the edge next.
  // Only the first step from the start corner lands on it heading inwards.
  const int rx = record_->HeadX % 3, ry = record_->HeadY % 3;
  const int first_x = record_->HeadX + kStepX[size_t(record_->Heading)];
  const int first_y = record_->HeadY + kStepY[size_t(record_->Heading)];
  const auto first_after = [](int from, int r) { return from + ((r - from) % 3 + 3) % 3; };
  const auto last_before = [](int to, int r) { return to - ((to - r) % 3 + 3) % 3; };
  const int left = first_after(kInsideLeft, rx), right = last_before(kInsideRight, rx);
  const int top = first_after(kInsideTop, ry), bottom = last_before(kInsideBottom, ry);
  const Image& pixels = field.Pixels();
  for (int y = 0; y < pixels.height; ++y) {
    for (int x = 0; x < pixels.width; ++x) {
      const Color c = pixels.At(x, y);
      if (c == kRed || c == kYellow) field.Point(x, y, kBlack);
      const bool line = (aim_at_edge == Edge::kLeft && x == left) ||
                        (aim_at_edge == Edge::kRight && x == right) ||
                        (aim_at_edge == Edge::kTop && y == top) ||
                        (aim_at_edge == Edge::kBottom && y == bottom);
      const bool first = x == first_x && y == first_y;
      if (line && !first && pixels.At(x, y) == kBlack && InsideWindow(x, y))
        field.Point(x, y, kRed);
    }
  }
}

void Autoplayer::PressFor(int tick) {
  if (!playing) return;
  if (Random()) {
    if (tick <= random_quiet_ticks) return;
    // One to three presses at once: three make a clockwise turn.
    random_seed = random_seed * 1664525u + 1013904223u;
    if ((random_seed >> 8) * (1.0 / 16777216.0) >= random_press_chance) return;
    for (uint32_t i = 0; i <= (random_seed >> 4) % 3; ++i) press_space_();
    return;
  }
  for (const TurnPresses& p : plan_.presses)
    if (p.tick == tick)
      for (int i = 0; i < p.presses; ++i) press_space_();
}

}  // namespace marvo::support
