#include "ui/surface.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace marvo {

PixelRect PixelRect::United(const PixelRect& other) const {
  if (other.Empty()) return *this;
  if (Empty()) return other;
  const int left = std::min(x, other.x), top = std::min(y, other.y);
  const int right = std::max(x + width, other.x + other.width);
  const int bottom = std::max(y + height, other.y + other.height);
  return {left, top, right - left, bottom - top};
}

PixelRect PixelRect::Intersected(const PixelRect& other) const {
  const int left = std::max(x, other.x), top = std::max(y, other.y);
  const int right = std::min(x + width, other.x + other.width);
  const int bottom = std::min(y + height, other.y + other.height);
  if (right <= left || bottom <= top) return {};
  return {left, top, right - left, bottom - top};
}

Surface::Surface(int width, int height, Sizing sizing) : image_(width, height), sizing_(sizing) {}

void Surface::Changed(const PixelRect& area) {
  const PixelRect touched = area.Intersected(Whole());
  if (touched.Empty()) return;
  ++generation_;
  changes_[generation_ % kChangeLog] = touched;
}

PixelRect Surface::ChangedSince(uint64_t generation) const {
  if (generation == generation_) return {};
  if (generation > generation_ || generation_ - generation > kChangeLog) return Whole();
  PixelRect area;
  for (uint64_t g = generation + 1; g <= generation_; ++g)
    area = area.United(changes_[g % kChangeLog]);
  return area;
}

Image& Surface::Own() {
  if (shares_picture_) {
    image_ = *picture_;
    shares_picture_ = false;
  }
  return image_;
}

void Surface::Span(int x1, int x2, int y, Color color) {
  if (y < 0 || y >= Height()) return;
  Own();
  x1 = std::max(x1, 0);
  x2 = std::min(x2, image_.width - 1);
  for (int x = x1; x <= x2; ++x) image_.At(x, y) = color;
}

void Surface::Box(int x1, int y1, int x2, int y2, Color color) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  Span(x1, x2, y1, color);
  Span(x1, x2, y2, color);
  for (int y = y1; y <= y2; ++y) {
    Plot(x1, y, color);
    Plot(x2, y, color);
  }
  Changed({x1, y1, x2 - x1 + 1, y2 - y1 + 1});
}

void Surface::FilledBox(int x1, int y1, int x2, int y2, Color color) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  for (int y = y1; y <= y2; ++y) Span(x1, x2, y, color);
  Changed({x1, y1, x2 - x1 + 1, y2 - y1 + 1});
}

void Surface::Circle(int cx, int cy, int radius, Color color) {
  if (radius < 0) return;
  // Midpoint circle: one octant is walked, the other seven mirrored. half[dy]
  // is the widest outline offset on row cy + dy, which bounds the fill.
  std::vector<int> half(size_t(radius) + 1, 0);
  std::vector<std::pair<int, int>> octant;
  int x = radius, y = 0, err = 1 - radius;
  while (x >= y) {
    octant.emplace_back(x, y);
    half[y] = std::max(half[y], x);
    half[x] = std::max(half[x], y);
    ++y;
    if (err < 0) {
      err += 2 * y + 1;
    } else {
      --x;
      err += 2 * (y - x) + 1;
    }
  }
  if (fill_style == FillStyle::kSolid) {
    for (int dy = 0; dy <= radius; ++dy) {
      Span(cx - half[dy], cx + half[dy], cy + dy, fill_color);
      Span(cx - half[dy], cx + half[dy], cy - dy, fill_color);
    }
  }
  for (auto [ox, oy] : octant) {
    for (auto [px, py] : {std::pair{ox, oy}, std::pair{oy, ox}}) {
      Plot(cx + px, cy + py, color);
      Plot(cx - px, cy + py, color);
      Plot(cx + px, cy - py, color);
      Plot(cx - px, cy - py, color);
    }
  }
  Changed({cx - radius, cy - radius, 2 * radius + 1, 2 * radius + 1});
}

void Surface::Point(int x, int y, Color color) {
  Plot(x, y, color);
  Changed({x, y, 1, 1});
}

void Surface::Print(std::string_view utf8) {
  // Without a rasterizer (headless tools) there is no font to draw with.
  if (rasterizer_ == nullptr || utf8.empty()) return;
  const TextMask mask = rasterizer_->Rasterize(font, utf8);
  for (int y = 0; y < mask.height; ++y) {
    for (int x = 0; x < mask.width; ++x) {
      if (mask.InkAt(x, y)) Plot(current_x + x, current_y + y, fore_color);
    }
  }
  Changed({current_x, current_y, mask.width, mask.height});
  // Like a line of text output: the next print starts on the following line.
  current_y += mask.height;
}

void Surface::AssignPicture(const Image* picture) {
  // A surface that showed its picture keeps that size for whatever comes next.
  if (shares_picture_) image_ = Image(picture_->width, picture_->height);
  picture_ = picture;
  shares_picture_ = picture != nullptr && sizing_ == Sizing::kAutoSize;
  if (shares_picture_) {
    image_ = Image();
  } else {
    std::fill(image_.pixels.begin(), image_.pixels.end(), kBlack);
    if (picture != nullptr) {
      const int w = std::min(picture->width, image_.width);
      const int h = std::min(picture->height, image_.height);
      for (int y = 0; y < h; ++y) {
        std::copy_n(&picture->pixels[size_t(y) * picture->width], w, &image_.At(0, y));
      }
    }
  }
  current_x = current_y = 0;
  // Always a new generation, even for an empty image: the size may have changed.
  ++generation_;
  changes_[generation_ % kChangeLog] = Whole();
}

void BitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
            RasterOp op) {
  // Clip the block to both surfaces: a start before 0 moves to 0, taking the
  // other surface's start and the length along.
  auto clip_start = [](int& start, int& other, int& length) {
    if (start < 0) {
      length += start;
      other -= start;
      start = 0;
    }
  };
  clip_start(x, sx, w);
  clip_start(y, sy, h);
  clip_start(sx, x, w);
  clip_start(sy, y, h);
  w = std::min({w, dst.Width() - x, src.Width() - sx});
  h = std::min({h, dst.Height() - y, src.Height() - sy});
  if (w <= 0 || h <= 0) return;

  Image& to = dst.Own();
  const Image& from = src.Shown();
  // A copy within one surface must read the source before it is overwritten.
  const Image snapshot = (&src == &dst) ? from : Image();
  const Image& source = (&src == &dst) ? snapshot : from;
  for (int row = 0; row < h; ++row) {
    const Color* in = &source.pixels[size_t(sy + row) * source.width + sx];
    Color* out = &to.pixels[size_t(y + row) * to.width + x];
    switch (op) {
      case RasterOp::kSrcCopy:
        std::copy_n(in, w, out);
        break;
      case RasterOp::kSrcAnd:
        for (int i = 0; i < w; ++i) out[i] &= in[i];
        break;
      case RasterOp::kSrcPaint:
        for (int i = 0; i < w; ++i) out[i] |= in[i];
        break;
    }
  }
  dst.Changed({x, y, w, h});
}

}  // namespace marvo
