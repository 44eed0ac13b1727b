#pragma once

#include <cstdint>

namespace marvo {

// The play field, the pictures drawn for it and the banners laid over it, in
// field pixels: x grows to the right, y downwards, from the top-left corner.
// The game, the window's layout and the picture tools all measure by these.

// The play field.
inline constexpr int kFieldWidth = 447;
inline constexpr int kFieldHeight = 342;
// The stage and title pictures: one row taller than the field, so the last
// row is drawn but never seen.
inline constexpr int kFieldPictureWidth = 447;
inline constexpr int kFieldPictureHeight = 343;
// The whole-field copy into the stage backup and back: larger than the field,
// so it covers it whole.
inline constexpr int kFieldCopyWidth = 449;
inline constexpr int kFieldCopyHeight = 345;

// Banners: 70-row blocks of the banner sheet, laid over the field at
// (kBannerX, kBannerY).
inline constexpr int kBannerWidth = 367;
inline constexpr int kBannerHeight = 70;
inline constexpr int kBannerX = 39;
inline constexpr int kBannerY = 100;
// The sheet's rows where each banner begins, and the sheet's own size.
inline constexpr int16_t kBannerGameOver = 0;
inline constexpr int16_t kBannerGetReady = 71;
inline constexpr int16_t kBannerStageClear = 141;
inline constexpr int kBannerSheetWidth = kBannerWidth;
inline constexpr int kBannerSheetHeight = 210;

}  // namespace marvo
