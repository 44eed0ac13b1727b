#pragma once

#include "ui/surface.h"

namespace marvo {

// The white border round the inside window, which every field has.
void DrawFieldBorder(Surface& field);
// The title picture inside its border: the field between games.
void ShowTitlePicture(Surface& field);

}  // namespace marvo
