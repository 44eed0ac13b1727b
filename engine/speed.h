#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace marvo {

// How fast the head moves. Only the least time between two ticks changes: the
// steps, the timed pauses and the music stay as they are. Each speed keeps a
// hall of fame of its own, so scores made slower never meet the full-speed table.
enum class Speed : int16_t { k100 = 100, k75 = 75, k50 = 50 };

inline constexpr std::array<Speed, 3> kSpeeds = {Speed::k100, Speed::k75, Speed::k50};

inline constexpr int Percent(Speed speed) { return static_cast<int>(speed); }

// The percentage as written in the settings file; anything else is no speed.
inline constexpr std::optional<Speed> SpeedFromPercent(int percent) {
  for (Speed speed : kSpeeds)
    if (Percent(speed) == percent) return speed;
  return std::nullopt;
}

}  // namespace marvo
