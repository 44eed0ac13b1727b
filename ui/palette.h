#pragma once

#include <cstdint>

#include "ui/color.h"

namespace marvo::pictures {

// The standard 16-colour table every picture is stored with, and its indexes.
inline constexpr const auto& kPalette = marvo::kStandardColors;

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
