#include "tools/pictures/canvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTransform>

namespace marvo::pictures {

Canvas::Canvas(int width, int height, uint8_t fill)
    : width_(width), height_(height), pixels_(size_t(width) * height, fill) {}

void Canvas::Set(int x, int y, uint8_t index) {
  if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[size_t(y) * width_ + x] = index;
}

void Canvas::FillRect(int x, int y, int w, int h, uint8_t index) {
  for (int row = y; row < y + h; ++row) {
    for (int col = x; col < x + w; ++col) Set(col, row, index);
  }
}

void Canvas::RoundedRect(int x, int y, int w, int h, uint8_t index) {
  static constexpr int kLeftOut[6] = {6, 4, 3, 2, 1, 1};
  for (int row = 0; row < h; ++row) {
    const int from_edge = std::min(row, h - 1 - row);
    const int cut = from_edge < 6 ? kLeftOut[from_edge] : 0;
    for (int col = x + cut; col < x + w - cut; ++col) Set(col, y + row, index);
  }
}

void Canvas::Stamp(const QImage& mask, int x, int y, uint8_t index) {
  for (int row = 0; row < mask.height(); ++row) {
    for (int col = 0; col < mask.width(); ++col) {
      if ((mask.pixel(col, row) & 0xFFFFFF) != 0) Set(x + col, y + row, index);
    }
  }
}

void Canvas::FillPath(const QPainterPath& path, uint8_t index) {
  QImage mask(width_, height_, QImage::Format_RGB32);
  mask.fill(Qt::black);
  QPainter painter(&mask);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillPath(path, Qt::white);
  painter.end();
  Stamp(mask, 0, 0, index);
}

QImage Canvas::ToImage() const {
  QImage image(width_, height_, QImage::Format_Indexed8);
  QList<QRgb> table;
  for (uint32_t bgr : kPalette) table.append(qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, bgr >> 16));
  image.setColorTable(table);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) image.setPixel(x, y, At(x, y));
  }
  return image;
}

QFont PixelFont(const QString& family, int pixels, bool bold) {
  QFont font(family);
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setStyleStrategy(QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

QImage TextInk(const QString& text, const QFont& font) {
  const QFontMetrics metrics(font);
  QImage image(metrics.horizontalAdvance(text) + 8, metrics.height() + 8, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(4, 4 + metrics.ascent(), text);
  painter.end();
  QRect ink;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if ((image.pixel(x, y) & 0xFFFFFF) != 0) ink |= QRect(x, y, 1, 1);
    }
  }
  return image.copy(ink);
}

namespace {

// How far inside a pixel box the outline of fitted text stays: the border
// pixels' centres are covered, the next pixels' centres are not.
constexpr double kInkMargin = 0.05;

std::vector<QPainterPath> CharacterPaths(const QString& text, const QFont& font, QRectF& ink) {
  const QFontMetricsF metrics(font);
  std::vector<QPainterPath> paths;
  for (int i = 0; i < text.size(); ++i) {
    QPainterPath path;
    path.addText(metrics.horizontalAdvance(text.left(i)), 0, font, text.mid(i, 1));
    ink |= path.boundingRect();
    paths.push_back(path);
  }
  return paths;
}

std::vector<QPainterPath> Mapped(std::vector<QPainterPath> paths, const QTransform& transform) {
  for (auto& path : paths) path = transform.map(path);
  return paths;
}

}  // namespace

std::vector<QPainterPath> FitText(const QString& text, const QFont& font, const QRectF& box) {
  QRectF ink;
  auto paths = CharacterPaths(text, font, ink);
  // Pixel (x, y) is filled when its centre lies inside, so the ink box
  // reaches just short of the centres of the pixels outside the box.
  const QRectF target = box.adjusted(kInkMargin, kInkMargin, -kInkMargin, -kInkMargin);
  QTransform transform;
  transform.translate(target.left(), target.top());
  transform.scale(target.width() / ink.width(), target.height() / ink.height());
  transform.translate(-ink.left(), -ink.top());
  return Mapped(std::move(paths), transform);
}

std::vector<QPainterPath> ScaleText(const QString& text, const QFont& font, double x_scale,
                                    double centre_x, int top, int bottom) {
  QRectF ink;
  auto paths = CharacterPaths(text, font, ink);
  const double y_scale = (bottom + 1 - top - 2 * kInkMargin) / ink.height();
  QTransform transform;
  transform.translate(centre_x - ink.width() * x_scale / 2, top + kInkMargin);
  transform.scale(x_scale, y_scale);
  transform.translate(-ink.left(), -ink.top());
  return Mapped(std::move(paths), transform);
}

}  // namespace marvo::pictures
