#pragma once

#include "ui/text.h"

namespace marvo::support {

// Each character becomes a solid 4 x 6 block with a one-pixel gap after it:
// enough to see where text lands and in which colour, without real fonts.
class BlockTextRasterizer final : public TextRasterizer {
 public:
  TextMask Rasterize(const FontSpec&, std::string_view utf8) const override {
    TextMask mask;
    mask.width = int(utf8.size()) * 5;
    mask.height = 6;
    mask.ink.assign(size_t(mask.width) * mask.height, 0);
    for (int y = 0; y < mask.height; ++y) {
      for (int x = 0; x < mask.width; ++x) mask.ink[size_t(y) * mask.width + x] = (x % 5) != 4;
    }
    return mask;
  }
};

}  // namespace marvo::support
