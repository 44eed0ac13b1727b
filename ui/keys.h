#pragma once

#include <cstdint>

namespace marvo {

// The key codes the game's key handlers take: the classic virtual-key numbers,
// which the window layer makes of its own keys. A click on the field, and a
// pad's face and shoulder buttons, arrive as Space.
inline constexpr int16_t kKeyEnter = 13;
inline constexpr int16_t kKeyPause = 19;
inline constexpr int16_t kKeyEscape = 27;
inline constexpr int16_t kKeySpace = 32;
inline constexpr int16_t kKeyP = 80;
inline constexpr int16_t kKeyF2 = 113;
// A pad's Start, sent as the Play key: Enter at the title, the pause key during a game.
inline constexpr int16_t kKeyPadStart = 250;

}  // namespace marvo
