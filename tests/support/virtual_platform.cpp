#include "tests/support/virtual_platform.h"

#include <algorithm>

namespace marvo::testing {

void VirtualPlatform::At(double time, std::function<void()> action) {
  scripted_.emplace(time, std::move(action));
}

void VirtualPlatform::Yield(double deadline) {
  ++yields_;
  RunDue();
  double until = deadline;
  if (!scripted_.empty()) until = std::min(until, scripted_.begin()->first);
  now_ = std::max(until, now_ + quantum_);
  RunDue();
}

void VirtualPlatform::RunDue() {
  // An action may script further actions, so take them one at a time.
  while (!scripted_.empty() && scripted_.begin()->first <= now_) {
    auto action = std::move(scripted_.begin()->second);
    scripted_.erase(scripted_.begin());
    action();
  }
}

}  // namespace marvo::testing
