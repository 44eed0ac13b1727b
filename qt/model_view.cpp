#include "qt/model_view.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPalette>
#include <QScreen>
#include <QStyle>

#include "qt/qt_text.h"

namespace marvo {

namespace {

QRect LabelGeometry(const Label& label, const QFont& font, int zoom) {
  QRect box = ToQRect(label.rect, zoom);
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

void ApplyLabel(QLabel& widget, const Label& label, int zoom) {
  // A hidden label takes its text and font when it is first shown: a font the
  // title never shows (ALL CLEAR!'s) costs the start nothing.
  widget.setVisible(label.visible);
  if (!label.visible) return;
  const QFont font = MakeFont(label.font, zoom);
  widget.setText(ToQString(label.caption));
  widget.setFont(font);
  widget.setGeometry(LabelGeometry(label, font, zoom));
  widget.setAlignment(ToQAlignment(label.alignment));
  QPalette palette = widget.palette();
  palette.setColor(QPalette::WindowText, ToQColor(label.fore_color));
  widget.setPalette(palette);
}

LabelView::LabelView(const Label& model, QWidget* parent)
    : model_(&model), widget_(new QLabel(parent)), shown_(model) {
  widget_->setObjectName(ToQString(model.name));
  ApplyLabel(*widget_, model);
}

void LabelView::Sync() {
  if (shown_ == *model_) return;
  ApplyLabel(*widget_, *model_, zoom_);
  shown_ = *model_;
}

void LabelView::SetZoom(int zoom) {
  if (zoom == zoom_) return;
  zoom_ = zoom;
  ApplyLabel(*widget_, *model_, zoom_);
  shown_ = *model_;
}

void SyncTimer(QTimer& timer, const Timer& model) {
  if (!model.enabled || model.interval_ms <= 0) {
    timer.stop();
  } else if (!timer.isActive() || timer.interval() != model.interval_ms) {
    timer.start(model.interval_ms);
  }
}

void ShowCentered(QWidget& window) {
  const QScreen* screen = window.screen() ? window.screen() : QApplication::primaryScreen();
  window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(),
                                         screen->availableGeometry()));
  window.show();
}

}  // namespace marvo
