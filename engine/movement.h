#pragma once

#include "engine/game_record.h"
#include "engine/speed.h"
#include "ui/platform.h"
#include "ui/surface.h"

namespace marvo {

// The least time between two ticks, in seconds. A tick needs the clock to have
// moved strictly more than this since the last one.
inline constexpr float kTickSeconds = 0.01f;

// The least time between two ticks at a speed: 10 ms at full speed, 13⅓ ms at
// 75 % and 20 ms at 50 %. Only the ticks slow down.
inline constexpr float TickSeconds(Speed speed) {
  switch (speed) {
    case Speed::k75:
      return 0.04f / 3;
    case Speed::k50:
      return 0.02f;
    case Speed::k100:
      break;
  }
  return kTickSeconds;
}

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
