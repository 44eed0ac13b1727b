#pragma once

#include "engine/game_record.h"
#include "ui/platform.h"
#include "ui/surface.h"

namespace marvo {

// The least time between two ticks, in seconds. A tick needs the clock to have
// moved strictly more than this since the last one.
inline constexpr float kTickSeconds = 0.01f;

// What the head has run into; the movement loop hands over every non-black
// reading. It may take seconds (its own waits yield too), move the head, change
// the stage, or end the game by setting StopFlag.
class HitResolver {
 public:
  virtual void ResolveHit() = 0;
  // Once each tick is over, the head's point down and any hit resolved.
  virtual void Ticked() {}

 protected:
  ~HitResolver() = default;
};

// Moves the head one diagonal step per tick, reading the field under each new
// position before leaving the white trail point there, until StopFlag is set.
// Yields to the event queue on every pass; between ticks it waits for events
// until the next tick is due rather than spinning.
void MoveHead(GameRecord& record, Surface& field, Platform& platform, HitResolver& hits);

}  // namespace marvo
