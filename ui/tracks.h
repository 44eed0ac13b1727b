#pragma once

#include <cstdint>
#include <string>

namespace marvo {

// The two tunes played during a game, by track number (1 or 2): their titles
// name the menu items, and the strip shows the credit line while one plays.
inline constexpr const char* kTrackTitles[] = {"TIDAL ARCADE", "UNDERTOW"};

inline const char* TrackTitle(int32_t track) { return kTrackTitles[track == 1 ? 0 : 1]; }

inline std::string TrackCredit(int32_t track) {
  return std::string("BGM : ") + TrackTitle(track) + " ( Composed By Kiro Vantel with SOUNDLOOM )";
}

}  // namespace marvo
