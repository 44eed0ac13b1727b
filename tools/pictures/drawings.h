#pragma once

#include "tools/pictures/canvas.h"

namespace marvo::pictures {

inline constexpr int kFieldWidth = 447;
inline constexpr int kFieldHeight = 343;
inline constexpr int kBannerWidth = 367;
inline constexpr int kBannerHeight = 210;

// The stage pictures 101 to 107.
Canvas StagePicture(int number);
// The title picture 110 and its half-density mask 111.
Canvas TitlePicture();
Canvas TitleMask(const Canvas& title);
// The banner sheet 120 and its mask 121.
Canvas BannerSheet();
Canvas BannerMask(const Canvas& sheet);
// The window icon, 32 or 16 pixels square.
Canvas IconPicture(int size);

}  // namespace marvo::pictures
