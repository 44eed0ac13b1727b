#include "flow/hall_of_fame.h"

namespace marvo {

void EnterHighScore(HallOfFame& table, int32_t score) {
  constexpr size_t kLast = kHallOfFamePlaces;
  if (table[kLast] > score) return;
  // Equal to the last entry still takes its place (with the same value).
  table[kLast] = score;
  for (size_t place = kLast - 1; place >= 1; --place) {
    if (table[place] >= score) return;
    table[place + 1] = table[place];
    table[place] = score;
  }
}

}  // namespace marvo
