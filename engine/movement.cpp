#include "engine/movement.h"

namespace marvo {

void MoveHead(GameRecord& r, Surface& field, Platform& platform, HitResolver& hits) {
  const float tick = TickSeconds(r.speed);
  double last_tick = platform.Clock();
  while (r.StopFlag == 0) {
    // The difference is judged in single precision against the single-precision
    // interval, so a reading exactly one interval on is not yet a tick.
    if (float(platform.Clock() - last_tick) > tick) {
      // A fresh reading, not the one compared: a late tick is never caught up.
      last_tick = platform.Clock();
      r.HeadX = int16_t(r.HeadX + r.StepX[r.Heading]);
      r.HeadY = int16_t(r.HeadY + r.StepY[r.Heading]);
      // Read before plotting, so the head never sees its own newest point.
      r.HitColor = field.GetPixel(r.HeadX, r.HeadY);
      if (r.HitColor != 0) hits.ResolveHit();
      // Where the head stands now, which a hit may have moved (a new stage).
      field.Point(r.HeadX, r.HeadY, kWhite);
      hits.Ticked();
    }
    platform.Yield(last_tick + tick);
  }
}

}  // namespace marvo
