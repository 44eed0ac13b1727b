#pragma once

#include "engine/geometry.h"
#include "ui/surface.h"

namespace marvo {

// The white border round the inside window, which every field has.
void DrawFieldBorder(Surface& field);
// The goal sits on a column no block reaches (blocks end by column 392), its
// centre anywhere from row 17 to row 323.
inline constexpr int kGoalX = 420;
inline constexpr int kGoalRadius = 14;
inline constexpr int kGoalLowest = 17;
inline constexpr int kGoalHighest = 323;
// The red goal disc centred on (kGoalX, y).
void DrawGoal(Surface& field, int y);
// The title picture inside its border: the field between games.
void ShowTitlePicture(Surface& field);

}  // namespace marvo
