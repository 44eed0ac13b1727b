#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "ui/color.h"
#include "ui/image.h"
#include "ui/text.h"

namespace marvo {

enum class FillStyle { kSolid, kTransparent };

// The three raster operations of block copies, by their classic codes.
enum class RasterOp : uint32_t {
  kSrcCopy = 0xCC0020,
  kSrcAnd = 0x8800C6,
  kSrcPaint = 0xEE0086,
};

// A block of pixels from its top-left corner; empty when either side is 0.
struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  bool Empty() const { return width <= 0 || height <= 0; }
  // The smallest block holding both; an empty one adds nothing.
  PixelRect United(const PixelRect& other) const;
  // The part inside `other`, or an empty block.
  PixelRect Intersected(const PixelRect& other) const;
  bool operator==(const PixelRect&) const = default;
};

// A picture box's persistent image and its drawing state. What is drawn stays
// until something draws over it; an assigned picture is the background from
// (0, 0). No antialiasing anywhere: a pixel drawn in a colour reads back as
// exactly that colour.
class Surface {
 public:
  // An auto-sizing surface takes the size of every picture assigned to it (the
  // hidden holders); a fixed one keeps its size and clips the picture.
  enum class Sizing { kFixed, kAutoSize };

  Surface(int width, int height, Sizing sizing = Sizing::kFixed);

  int Width() const { return Shown().width; }
  int Height() const { return Shown().height; }
  const Image& Pixels() const { return Shown(); }
  // Grows on every change of the image, so a view repaints only when needed.
  uint64_t Generation() const { return generation_; }
  // The block holding every pixel that may have changed after `generation`:
  // empty when nothing did, the whole image when that generation is too old to
  // tell (or newer than the current one). A view that remembers the generation
  // it shows converts and repaints only this block: a tick plots one pixel.
  PixelRect ChangedSince(uint64_t generation) const;

  // Drawing state.
  Color fore_color = kBlack;
  Color fill_color = kBlack;
  FillStyle fill_style = FillStyle::kTransparent;
  int current_x = 0;  // text position
  int current_y = 0;
  FontSpec font;
  void SetTextRasterizer(const TextRasterizer* rasterizer) { rasterizer_ = rasterizer; }

  // Box outline and filled box between two opposite corners, both inclusive.
  void Box(int x1, int y1, int x2, int y2, Color color);
  void FilledBox(int x1, int y1, int x2, int y2, Color color);
  // One-pixel outline in `color`, filled with fill_color when fill_style is solid.
  void Circle(int cx, int cy, int radius, Color color);
  void Point(int x, int y, Color color);
  // Text at the text position in fore_color, no background fill.
  void Print(std::string_view utf8);
  // The whole image becomes the picture, or black for none; earlier drawing is gone.
  // The surface keeps a pointer: pictures outlive every surface (they are embedded).
  void AssignPicture(const Image* picture);
  const Image* Picture() const { return picture_; }

  // The exact colour at (x, y); kInvalidColor outside the surface.
  Color GetPixel(int x, int y) const {
    const Image& shown = Shown();
    return shown.Contains(x, y) ? shown.At(x, y) : kInvalidColor;
  }

 private:
  friend void BitBlt(Surface&, int, int, int, int, const Surface&, int, int, RasterOp);
  void Plot(int x, int y, Color color) {
    if (Shown().Contains(x, y)) Own().At(x, y) = color;
  }
  void Span(int x1, int x2, int y, Color color);
  PixelRect Whole() const { return {0, 0, Width(), Height()}; }
  // An auto-sizing surface shows its picture's own pixels until something
  // draws on it, and copies them then: the hidden holders of the masks and
  // the banner sheet are only ever read, and a copy of each would double it.
  const Image& Shown() const { return shares_picture_ ? *picture_ : image_; }
  Image& Own();
  // Notes a drawing step that touched at most `area`; one that lies wholly
  // off the image changes nothing and is not a new generation.
  void Changed(const PixelRect& area);

  // The area each of the latest generations touched, by generation modulo
  // the log's size; older ones are only known to have changed something.
  static constexpr uint64_t kChangeLog = 32;

  Image image_;
  Sizing sizing_;
  const Image* picture_ = nullptr;
  bool shares_picture_ = false;  // image_ is empty and the picture is shown
  const TextRasterizer* rasterizer_ = nullptr;
  uint64_t generation_ = 0;
  std::array<PixelRect, kChangeLog> changes_{};
};

// Copies a w x h block from src at (sx, sy) to dst at (x, y) with a raster
// operation; whatever lies outside either surface is skipped.
void BitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
            RasterOp op);

}  // namespace marvo
