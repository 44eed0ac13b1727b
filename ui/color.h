#pragma once

#include <cstdint>

namespace marvo {

// Colours are 0x00BBGGRR values everywhere in the core; only exact values count.
using Color = uint32_t;

inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;
inline constexpr Color kBlue = 0xFF0000;    // walls and blocks
inline constexpr Color kRed = 0x0000FF;     // the goal
inline constexpr Color kYellow = 0x00FFFF;  // the star
inline constexpr Color kSilver = 0xC0C0C0;  // text printed on the field
inline constexpr Color kCyan = 0xFFFF00;    // read-outs
// What a pixel read yields outside a surface.
inline constexpr Color kInvalidColor = 0xFFFFFFFF;

constexpr Color Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return Color(r) | (Color(g) << 8) | (Color(b) << 16);
}
constexpr uint8_t RedOf(Color c) { return c & 0xFF; }
constexpr uint8_t GreenOf(Color c) { return (c >> 8) & 0xFF; }
constexpr uint8_t BlueOf(Color c) { return (c >> 16) & 0xFF; }

}  // namespace marvo
