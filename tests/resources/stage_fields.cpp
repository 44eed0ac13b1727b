#include "tests/resources/stage_fields.h"

#include "resources/pictures.h"

namespace marvo::testing {

Surface StageField(int picture, int goal_y) {
  Surface field(447, 342);
  field.AssignPicture(LoadPicture(picture));
  field.Box(2, 2, 443, 340, kWhite);
  field.fill_color = kRed;
  field.fill_style = FillStyle::kSolid;
  field.Circle(420, goal_y, 14, kRed);
  field.fill_style = FillStyle::kTransparent;
  return field;
}

}  // namespace marvo::testing
