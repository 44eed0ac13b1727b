#include "tests/resources/stage_fields.h"

#include "engine/field.h"
#include "resources/pictures.h"

namespace marvo::testing {

Surface StageField(int picture, int goal_y) {
  Surface field(kFieldWidth, kFieldHeight);
  field.AssignPicture(LoadPicture(picture));
  DrawFieldBorder(field);
  DrawGoal(field, goal_y);
  return field;
}

}  // namespace marvo::testing
