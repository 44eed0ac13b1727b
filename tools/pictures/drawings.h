#pragma once

#include "generated/game_files.h"
#include "tools/pictures/canvas.h"
#include "ui/field_layout.h"

namespace marvo::pictures {

// The stage pictures kPictureStage1 to kPictureStage7, by number.
Canvas StagePicture(int number);
// The title picture and its half-density mask.
Canvas TitlePicture();
Canvas TitleMask(const Canvas& title);
// The banner sheet and its mask.
Canvas BannerSheet();
Canvas BannerMask(const Canvas& sheet);
// The window icon, 32 or 16 pixels square.
Canvas IconPicture(int size);

}  // namespace marvo::pictures
