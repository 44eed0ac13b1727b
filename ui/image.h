#pragma once

#include <cstddef>
#include <vector>

#include "ui/color.h"

namespace marvo {

// A plain bitmap: what a picture resource decodes to and what a surface shows.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<Color> pixels;  // row-major, top row first

  Image() = default;
  Image(int w, int h, Color fill = kBlack) : width(w), height(h), pixels(size_t(w) * h, fill) {}

  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  Color At(int x, int y) const { return pixels[size_t(y) * width + x]; }
  Color& At(int x, int y) { return pixels[size_t(y) * width + x]; }
};

}  // namespace marvo
