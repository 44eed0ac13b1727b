#pragma once

#include <array>
#include <cstdint>

#include "ui/field_layout.h"

namespace marvo {

// The field's size and the banners' places are in ui/field_layout.h.

// The white border every field has. It lies on these lines; the margin outside
// it is black in every stage.
inline constexpr int kBorderLeft = 2;
inline constexpr int kBorderTop = 2;
inline constexpr int kBorderRight = 443;
inline constexpr int kBorderBottom = 340;

// Where the head counts as inside the field: strictly within the border on
// three sides, but at the bottom the crash line is row 339, one row above the
// border. The head cannot tell the difference: steps of 3 keep its row modulo
// 3 for the whole stage (2 from the first stage's start, 1 from every later
// one), so it never stands on row 339, and the crash line stays where it is.
inline constexpr int kInsideLeft = kBorderLeft + 1;
inline constexpr int kInsideTop = kBorderTop + 1;
inline constexpr int kInsideRight = kBorderRight - 1;
inline constexpr int kInsideBottom = kBorderBottom - 2;
constexpr bool InsideWindow(int x, int y) {
  return x >= kInsideLeft && x <= kInsideRight && y >= kInsideTop && y <= kInsideBottom;
}

// Headings index the direction tables.
inline constexpr int16_t kUpLeft = 1;
inline constexpr int16_t kUpRight = 2;
inline constexpr int16_t kDownLeft = 3;
inline constexpr int16_t kDownRight = 4;

// The direction tables start-up stores, by heading; index 0 is never used.
// The head moves 3 pixels on each axis per tick, and each turn is a quarter
// turn anticlockwise on screen: 4 -> 2 -> 1 -> 3 -> 4.
inline constexpr std::array<int16_t, 5> kStepX = {0, -3, 3, -3, 3};
inline constexpr std::array<int16_t, 5> kStepY = {0, -3, -3, 3, 3};
inline constexpr std::array<int16_t, 5> kNextHeading = {0, kDownLeft, kUpLeft, kDownRight,
                                                        kUpRight};

// Where the head enters a stage, always heading down and right: the border
// corner on the first stage, one step further in on every later one.
struct HeadStart {
  int16_t x;
  int16_t y;
  int16_t heading;
};
inline constexpr HeadStart kFirstStageStart = {2, 2, kDownRight};
inline constexpr HeadStart kLaterStageStart = {4, 4, kDownRight};

}  // namespace marvo
