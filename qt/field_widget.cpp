#include "qt/field_widget.h"

#include <QKeyEvent>
#include <QPainter>

namespace marvo {

FieldWidget::FieldWidget(const Surface& surface, QWidget* parent)
    : QWidget(parent), surface_(surface) {
  setFixedSize(surface.Width(), surface.Height());
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

void FieldWidget::Sync() {
  if (surface_.Generation() != shown_generation_) update();
}

void FieldWidget::paintEvent(QPaintEvent*) {
  if (surface_.Generation() != shown_generation_) {
    CopyToQImage(surface_.Pixels(), shown_);
    shown_generation_ = surface_.Generation();
  }
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(rect(), shown_);
}

void FieldWidget::keyPressEvent(QKeyEvent* event) {
  const int code = ClassicKeyCode(event->key());
  if (code != 0 && on_key_down) {
    on_key_down(code, ClassicShiftState(event->modifiers()));
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void CopyToQImage(const Image& image, QImage& out) {
  if (out.width() != image.width || out.height() != image.height) {
    out = QImage(image.width, image.height, QImage::Format_RGB32);
  }
  // 0x00BBGGRR in the core, 0xFFRRGGBB in Qt: converted here and nowhere else.
  for (int y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
    const Color* in = &image.pixels[size_t(y) * image.width];
    for (int x = 0; x < image.width; ++x)
      row[x] = qRgb(RedOf(in[x]), GreenOf(in[x]), BlueOf(in[x]));
  }
}

int ClassicKeyCode(int qt_key) {
  switch (qt_key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_F2:
      return 113;
    default:
      return 0;
  }
}

int ClassicShiftState(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
         (modifiers & Qt::AltModifier ? 4 : 0);
}

}  // namespace marvo
