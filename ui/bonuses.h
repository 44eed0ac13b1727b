#pragma once

#include <cstdint>
#include <string>

namespace marvo {

// What clearing the last stage pays. Taking every star of the game on the way
// pays the perfect bonus on top of it.
inline constexpr int32_t kAllClearBonus = 100000;
inline constexpr int32_t kPerfectBonus = 50000;
inline constexpr int32_t kAllStarsBonus = kAllClearBonus + kPerfectBonus;

// The line shown under ALL CLEAR! for a bonus: its name and what it adds.
inline std::string BonusCaption(const std::string& name, int32_t points) {
  return name + "  +" + std::to_string(points);
}

}  // namespace marvo
