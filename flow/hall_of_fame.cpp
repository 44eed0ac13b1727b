#include "flow/hall_of_fame.h"

namespace marvo {

void EnterHighScore(std::array<int32_t, 6>& table, int32_t score) {
  if (table[5] > score) return;
  // Equal to the fifth entry still takes its place (with the same value).
  table[5] = score;
  for (size_t place = 4; place >= 1; --place) {
    if (table[place] >= score) return;
    table[place + 1] = table[place];
    table[place] = score;
  }
}

}  // namespace marvo
