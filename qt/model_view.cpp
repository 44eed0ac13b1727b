#include "qt/model_view.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPalette>

#include "qt/qt_text.h"

namespace marvo {

namespace {

QRect LabelGeometry(const Label& label, const QFont& font) {
  QRect box = ToQRect(label.rect);
  const QString text = ToQString(label.caption);
  const int overflow = QFontMetrics(font).horizontalAdvance(text) - box.width();
  if (overflow <= 0 || text.contains(' ')) return box;
  switch (label.alignment) {
    case Alignment::kLeft:
      return box.adjusted(0, 0, overflow, 0);
    case Alignment::kRight:
      return box.adjusted(-overflow, 0, 0, 0);
    case Alignment::kCenter:
      break;
  }
  return box.adjusted(-overflow / 2, 0, overflow - overflow / 2, 0);
}

}  // namespace

QColor ToQColor(Color color) {
  if (color == kButtonFace)
    return QApplication::palette().color(QPalette::Active, QPalette::Button);
  return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

Qt::Alignment ToQAlignment(Alignment alignment) {
  switch (alignment) {
    case Alignment::kRight:
      return Qt::AlignRight | Qt::AlignTop;
    case Alignment::kCenter:
      return Qt::AlignHCenter | Qt::AlignTop;
    case Alignment::kLeft:
      break;
  }
  return Qt::AlignLeft | Qt::AlignTop;
}

void ApplyLabel(QLabel& widget, const Label& label) {
  const QFont font = MakeFont(label.font);
  widget.setText(ToQString(label.caption));
  widget.setFont(font);
  widget.setGeometry(LabelGeometry(label, font));
  widget.setAlignment(ToQAlignment(label.alignment));
  QPalette palette = widget.palette();
  palette.setColor(QPalette::WindowText, ToQColor(label.fore_color));
  widget.setPalette(palette);
  widget.setVisible(label.visible);
}

}  // namespace marvo
