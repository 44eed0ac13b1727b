#include "engine/run.h"

namespace marvo {

void RunTape::Record(Speed speed) {
  made_ = Run{};
  made_.speed = speed;
  replaying_ = false;
  ticks_ = 0;
}

void RunTape::Replay(const Run& run) {
  Record(run.speed);
  source_ = run;
  replaying_ = true;
  next_seed_ = 0;
  next_turn_ = 0;
}

uint32_t RunTape::NextSeed(Platform& platform) {
  uint32_t seed = 0;
  if (!replaying_)
    seed = platform.ClockSeed();
  else if (next_seed_ < source_.seeds.size())
    seed = source_.seeds[next_seed_++];
  made_.seeds.push_back(seed);
  return seed;
}

int RunTape::NextDueKey() {
  if (!replaying_ || next_turn_ >= source_.turns.size()) return -1;
  const RunTurn& turn = source_.turns[next_turn_];
  if (turn.tick != ticks_) return -1;
  ++next_turn_;
  return turn.key;
}

}  // namespace marvo
