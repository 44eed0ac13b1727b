#include "qt/field_widget.h"

#include "ui/keys.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace marvo {

FieldWidget::FieldWidget(const Surface& surface, QWidget* parent)
    : QWidget(parent), surface_(surface) {
  setFixedSize(surface.Width(), surface.Height());
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

QRect FieldWidget::CatchUp() {
  if (surface_.Generation() == shown_generation_) return {};
  const QRect changed =
      CopyToQImage(surface_.Pixels(), shown_, surface_.ChangedSince(shown_generation_));
  shown_generation_ = surface_.Generation();
  return changed;
}

void FieldWidget::Sync() {
  // A hidden picture (a holder) is brought up to date when it is next painted.
  if (!isVisible()) return;
  const QRect changed = CatchUp();
  if (!changed.isEmpty()) update(Zoomed(changed));
}

void FieldWidget::SetZoom(int zoom) {
  if (zoom == zoom_) return;
  zoom_ = zoom;
  setFixedSize(surface_.Width() * zoom, surface_.Height() * zoom);
  update();
}

void FieldWidget::SetCornerText(const QString& text) {
  if (text == corner_text_) return;
  corner_text_ = text;
  update();
}

QRect FieldWidget::Zoomed(const QRect& pixels) const {
  return QRect(pixels.topLeft() * zoom_, pixels.size() * zoom_);
}

void FieldWidget::paintEvent(QPaintEvent* event) {
  // Drawing since the last Sync (an expose between two) is taken in too; what
  // of it lies outside this paint gets a paint of its own.
  const QRect late = CatchUp();
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  // Drawn in surface pixels, each one a whole block at the zoom.
  painter.scale(zoom_, zoom_);
  const QRect asked = event->rect();
  const QRect area(QPoint(asked.left() / zoom_, asked.top() / zoom_),
                   QPoint(asked.right() / zoom_, asked.bottom() / zoom_));
  const QRect inside = area & shown_.rect();
  if (!inside.isEmpty()) painter.drawImage(inside.topLeft(), shown_, inside);
  // The widget follows the surface's size; until it has, the rest stays black.
  if (inside != area) {
    for (const QRect& rest : QRegion(area).subtracted(inside)) painter.fillRect(rest, Qt::black);
  }
  PaintOverlay(painter);
  if (!corner_text_.isEmpty()) {
    // Over whatever the field shows there, in yellow.
    painter.resetTransform();
    QFont font = painter.font();
    font.setPixelSize(10 * zoom_);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 0));
    const QRect corner = rect().adjusted(0, 3 * zoom_, -5 * zoom_, 0);
    painter.drawText(corner, Qt::AlignTop | Qt::AlignRight, corner_text_);
  }
  painter.end();
  if (!late.isEmpty() && !event->region().contains(Zoomed(late))) update(Zoomed(late));
}

void FieldWidget::PaintOverlay(QPainter& painter) const {
  const auto outlined = [&](const QString& text, const QFont& font, QPointF centre, qreal pen) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    path.translate(centre - path.boundingRect().center());
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Like the banners: green letters cut out of a black mask round them.
    painter.strokePath(path, QPen(Qt::black, pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(path, QColor(0, 255, 0));
  };
  const QRectF field(0, 0, surface_.Width(), surface_.Height());
  if (pause_) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(48);
    font.setBold(true);
    outlined(QStringLiteral("PAUSE"), font, field.center(), 6);
  }
  if (!note_.isEmpty()) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    font.setBold(true);
    const qreal width = QFontMetricsF(font).horizontalAdvance(note_);
    outlined(note_, font, field.bottomRight() - QPointF(width / 2 + 8, 14), 3);
  }
}

void FieldWidget::SetOverlay(bool pause, const QString& note) {
  if (pause == pause_ && note == note_) return;
  pause_ = pause;
  note_ = note;
  update();
}

void FieldWidget::keyPressEvent(QKeyEvent* event) {
  const int code = ClassicKeyCode(event->key());
  if (code != 0 && on_key_down) {
    const bool repeat = event->isAutoRepeat() && on_key_repeat;
    (repeat ? on_key_repeat : on_key_down)(code, ClassicShiftState(event->modifiers()));
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void FieldWidget::mousePressEvent(QMouseEvent* event) {
  // Only an enabled field sees the press: the click turns during play only.
  if (event->button() == Qt::LeftButton && on_key_down) {
    on_key_down(kKeySpace, ClassicShiftState(event->modifiers()));
    event->accept();
    return;
  }
  QWidget::mousePressEvent(event);
}

void CopyToQImage(const Image& image, QImage& out) {
  CopyToQImage(image, out, {0, 0, image.width, image.height});
}

QRect CopyToQImage(const Image& image, QImage& out, const PixelRect& area) {
  const PixelRect whole{0, 0, image.width, image.height};
  PixelRect block = area.Intersected(whole);
  if (out.width() != image.width || out.height() != image.height) {
    out = QImage(image.width, image.height, QImage::Format_RGB32);
    block = whole;
  }
  // 0x00BBGGRR in the core, 0xFFRRGGBB in Qt: converted here and nowhere else.
  for (int y = block.y; y < block.y + block.height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
    const Color* in = &image.pixels[size_t(y) * image.width];
    for (int x = block.x; x < block.x + block.width; ++x)
      row[x] = qRgb(RedOf(in[x]), GreenOf(in[x]), BlueOf(in[x]));
  }
  return block.Empty() ? QRect() : QRect(block.x, block.y, block.width, block.height);
}

int ClassicKeyCode(int qt_key) {
  switch (qt_key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kKeyEnter;
    case Qt::Key_Space:
      return kKeySpace;
    case Qt::Key_F2:
      return kKeyF2;
    case Qt::Key_Escape:
      return kKeyEscape;
    case Qt::Key_Pause:
      return kKeyPause;
    case Qt::Key_P:
      return kKeyP;
    case Qt::Key_MediaPlay:
      return kKeyPadStart;
    default:
      return 0;
  }
}

int ClassicShiftState(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
         (modifiers & Qt::AltModifier ? 4 : 0);
}

}  // namespace marvo
