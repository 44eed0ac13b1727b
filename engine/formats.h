#pragma once

#include <cstdint>
#include <string>

namespace marvo {

// The read-outs' number formats. Every writer of a read-out goes through these,
// so the same value always reads the same.

// Scores: at least six digits, zero-padded; a longer score keeps every digit.
std::string FormatScore(int32_t score);
// Turns left: at least three digits, zero-padded.
std::string FormatTurns(int32_t turns);
// Stage numbers and the points printed on the field: plain decimal.
std::string FormatPlain(int32_t value);

}  // namespace marvo
