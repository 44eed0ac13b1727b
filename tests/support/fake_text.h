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
    mask.ink.resize(size_t(mask.width) * mask.height);
    for (size_t i = 0; i < mask.ink.size(); ++i) mask.ink[i] = i % size_t(mask.width) % 5 != 4;
    return mask;
  }
};

}  // namespace marvo::support
