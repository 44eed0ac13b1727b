#pragma once

#include <cstdint>

namespace marvo {

// Colours are 0x00BBGGRR values everywhere in the core; only exact values count.
using Color = uint32_t;

// The standard 16 colours: full intensity 0xFF, half 0x80, silver 0xC0.
inline constexpr Color kBlack = 0x000000;
inline constexpr Color kDarkRed = 0x000080;
inline constexpr Color kDarkGreen = 0x008000;
inline constexpr Color kOlive = 0x008080;
inline constexpr Color kNavy = 0x800000;
inline constexpr Color kPurple = 0x800080;
inline constexpr Color kTeal = 0x808000;
inline constexpr Color kSilver = 0xC0C0C0;  // text printed on the field
inline constexpr Color kGrey = 0x808080;
inline constexpr Color kRed = 0x0000FF;  // the goal
inline constexpr Color kGreen = 0x00FF00;
inline constexpr Color kYellow = 0x00FFFF;  // the star
inline constexpr Color kBlue = 0xFF0000;    // walls and blocks
inline constexpr Color kMagenta = 0xFF00FF;
inline constexpr Color kCyan = 0xFFFF00;  // read-outs
inline constexpr Color kWhite = 0xFFFFFF;

// The same 16 in the order of the table every picture is stored with: a
// picture holds indexes into it, so the order is fixed.
inline constexpr Color kStandardColors[16] = {
    kBlack, kDarkRed, kDarkGreen, kOlive,  kNavy, kPurple,  kTeal, kSilver,
    kGrey,  kRed,     kGreen,     kYellow, kBlue, kMagenta, kCyan, kWhite,
};
// What a pixel read yields outside a surface.
inline constexpr Color kInvalidColor = 0xFFFFFFFF;

constexpr Color Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return Color(r) | (Color(g) << 8) | (Color(b) << 16);
}
constexpr uint8_t RedOf(Color c) { return c & 0xFF; }
constexpr uint8_t GreenOf(Color c) { return (c >> 8) & 0xFF; }
constexpr uint8_t BlueOf(Color c) { return (c >> 16) & 0xFF; }

}  // namespace marvo
