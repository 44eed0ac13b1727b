#pragma once

#include "engine/game_record.h"
#include "ui/form.h"

namespace marvo {

// The title screen's ten-second tick (the window's DemoTimer_Timer): the strip
// moves on to the next link caption, and the field switches between the plain
// title and the dimmed title under the hall of fame. The two rotations run
// independently (five captions, two views).
void DemoTick(GameRecord& record, MainFormModel& form);

// The pictures the window holds from the start: the second title picture, the
// banner sheet and its mask in the hidden holders, an empty stage backup and
// the title on the field.
void LoadWindowPictures(MainFormModel& form);

}  // namespace marvo
