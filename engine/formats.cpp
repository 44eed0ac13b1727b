#include "engine/formats.h"

namespace marvo {

namespace {

std::string ZeroPadded(int32_t value, size_t digits) {
  // Widened first: the magnitude of the lowest 32-bit value does not fit in 32 bits.
  const int64_t wide = value;
  std::string text = std::to_string(wide < 0 ? -wide : wide);
  if (text.size() < digits) text.insert(0, digits - text.size(), '0');
  if (wide < 0) text.insert(0, 1, '-');
  return text;
}

}  // namespace

std::string FormatScore(int32_t score) { return ZeroPadded(score, 6); }

std::string FormatTurns(int32_t turns) { return ZeroPadded(turns, 3); }

std::string FormatPlain(int32_t value) { return std::to_string(value); }

}  // namespace marvo
