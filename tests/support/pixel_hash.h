#pragma once

#include <cstdint>

#include "ui/image.h"

namespace marvo::testing {

// A hash of an image's size and pixels (FNV-1a): pins a picture or a drawn
// field without restating how it was made.
inline uint64_t PixelHash(const Image& image) {
  uint64_t hash = 14695981039346656037ull;
  const auto mix = [&](uint32_t value) {
    for (int i = 0; i < 4; ++i) hash = (hash ^ ((value >> (8 * i)) & 0xFF)) * 1099511628211ull;
  };
  mix(uint32_t(image.width));
  mix(uint32_t(image.height));
  for (Color c : image.pixels) mix(c);
  return hash;
}

}  // namespace marvo::testing
