#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace marvo {

// A font by the family name the game's windows ask for; sizes are points at 96 dots per inch.
struct FontSpec {
  std::string family = "ＭＳ ゴシック";
  double points = 9.75;
  bool bold = false;
  bool underline = false;

  bool operator==(const FontSpec&) const = default;
};

// Two-colour coverage of a piece of text: 1 where ink falls, 0 elsewhere.
struct TextMask {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> ink;  // row-major, width * height entries

  bool InkAt(int x, int y) const { return ink[size_t(y) * width + x] != 0; }
};

// Turns text into pixels. The Qt front end implements it with real fonts; the
// core only ever sees the resulting mask, so printed text stays exact colours.
class TextRasterizer {
 public:
  virtual TextMask Rasterize(const FontSpec& font, std::string_view utf8) const = 0;

 protected:
  ~TextRasterizer() = default;
};

}  // namespace marvo
