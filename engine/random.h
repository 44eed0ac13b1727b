#pragma once

#include <cstdint>
#include <random>

namespace marvo {

// The stage builder's pseudo-random numbers: uniform in [0, 1), re-seeded from
// the clock before every layout, so no two layouts repeat.
class StageRandom {
 public:
  void Seed(uint32_t seed) { engine_.seed(seed); }
  // 27 random bits scaled into [0, 1): never 1, so floor(r * n) stays below n.
  double Next() { return double(engine_() >> 5) * (1.0 / 134217728.0); }
  // floor(r * n) + low, the form every random place in a stage takes.
  int Pick(int n, int low) { return int(Next() * n) + low; }

 private:
  std::mt19937 engine_;
};

}  // namespace marvo
