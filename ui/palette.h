#pragma once

#include <cstdint>

namespace marvo::pictures {

// The standard 16-colour table every picture is stored with, as 0x00BBGGRR.
// A picture file holds indexes into this table, so the order is fixed.
inline constexpr uint32_t kPalette[16] = {
    0x000000,  // black
    0x000080,  // dark red
    0x008000,  // dark green
    0x008080,  // olive
    0x800000,  // navy
    0x800080,  // purple
    0x808000,  // teal
    0xC0C0C0,  // silver
    0x808080,  // grey
    0x0000FF,  // red
    0x00FF00,  // green
    0x00FFFF,  // yellow
    0xFF0000,  // blue
    0xFF00FF,  // magenta
    0xFFFF00,  // cyan
    0xFFFFFF,  // white
};

enum Index : uint8_t {
  kBlack,
  kDarkRed,
  kDarkGreen,
  kOlive,
  kNavy,
  kPurple,
  kTeal,
  kSilver,
  kGrey,
  kRed,
  kGreen,
  kYellow,
  kBlue,
  kMagenta,
  kCyan,
  kWhite,
};

// Runs of one palette index, as the embedded pictures store them: a byte
// holds the index in its high nibble and the run length minus one in its low
// nibble; a low nibble of 15 means 16 plus a little-endian base-128 number
// that follows.
inline constexpr int kShortRunLimit = 15;

}  // namespace marvo::pictures
