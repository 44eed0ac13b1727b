#pragma once

#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <vector>

#include "ui/palette.h"

namespace marvo::pictures {

// A picture under construction: one palette index per pixel, so every colour
// the generator draws is exactly a colour of the 16-colour table.
class Canvas {
 public:
  Canvas(int width, int height, uint8_t fill = kBlack);

  int width() const { return width_; }
  int height() const { return height_; }
  uint8_t At(int x, int y) const { return pixels_[size_t(y) * width_ + x]; }
  void Set(int x, int y, uint8_t index);

  // x, y, width, height, as the picture tables give rectangles.
  void FillRect(int x, int y, int w, int h, uint8_t index);
  // The walls' rectangle: counted from each corner along the edge rows, the
  // first six rows leave out 6, 4, 3, 2, 1 and 1 pixels.
  void RoundedRect(int x, int y, int w, int h, uint8_t index);
  // Paints `index` wherever the mask is not black, the mask's (0, 0) at (x, y).
  void Stamp(const QImage& mask, int x, int y, uint8_t index);
  // Fills a vector shape without antialiasing.
  void FillPath(const QPainterPath& path, uint8_t index);

  QImage ToImage() const;  // indexed, with the 16-colour table

 private:
  int width_;
  int height_;
  std::vector<uint8_t> pixels_;
};

// A font at an exact pixel size with two-colour rendering.
QFont PixelFont(const QString& family, int pixels, bool bold);
// Text drawn as it would be at its natural size: the mask is cropped to the
// ink, so callers place the ink itself.
QImage TextInk(const QString& text, const QFont& font);
// The outline of `text`, one path per character, stretched together so their
// joint ink box fills `box` exactly.
std::vector<QPainterPath> FitText(const QString& text, const QFont& font, const QRectF& box);
// The same with a given horizontal scale, centred on `centre_x`, the ink
// spanning rows top..bottom.
std::vector<QPainterPath> ScaleText(const QString& text, const QFont& font, double x_scale,
                                    double centre_x, int top, int bottom);

}  // namespace marvo::pictures
