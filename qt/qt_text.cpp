#include "qt/qt_text.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cmath>

namespace marvo {

QFont MakeFont(const FontSpec& font_spec, int zoom) {
  QFont font(QString::fromStdString(font_spec.family));
  font.setPixelSize(int(std::lround(font_spec.points * 96.0 / 72.0)) * zoom);
  font.setBold(font_spec.bold);
  font.setUnderline(font_spec.underline);
  font.setStyleStrategy(QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

void RegisterFontSubstitutions() {
  const QStringList gothic = {"IPAGothic", "IPAexGothic", "Noto Sans CJK JP"};
  QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), gothic);
  QFont::insertSubstitutions(QStringLiteral("MS Gothic"), gothic);
  QFont::insertSubstitutions(QStringLiteral("Arial"), {"Liberation Sans"});
}

TextMask QtTextRasterizer::Rasterize(const FontSpec& font_spec, std::string_view utf8) const {
  const QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
  const QFont font = MakeFont(font_spec);
  const QFontMetrics metrics(font);
  TextMask mask;
  mask.width = metrics.horizontalAdvance(text);
  mask.height = metrics.height();
  if (mask.width <= 0 || mask.height <= 0) return {};

  QImage image(mask.width, mask.height, QImage::Format_RGB32);
  image.fill(Qt::black);
  {
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(0, metrics.ascent(), text);
  }
  mask.ink.resize(size_t(mask.width) * mask.height);
  for (int y = 0; y < mask.height; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < mask.width; ++x) mask.ink[size_t(y) * mask.width + x] = qRed(row[x]) > 127;
  }
  return mask;
}

}  // namespace marvo
