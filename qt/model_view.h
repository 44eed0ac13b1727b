#pragma once

#include <QColor>
#include <QLabel>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <string>

#include "ui/form.h"

namespace marvo {

// The core's values as Qt takes them: each conversion has this one home.

// 0x00BBGGRR to a Qt colour; the button-face system colour from the palette.
QColor ToQColor(Color color);
inline QString ToQString(const std::string& utf8) { return QString::fromStdString(utf8); }
// A zoomed window multiplies every place and size by its whole factor.
inline QRect ToQRect(const Rect& r, int zoom = 1) {
  return QRect(r.x * zoom, r.y * zoom, r.width * zoom, r.height * zoom);
}
// Text sits at the top of its label; only the horizontal place varies.
Qt::Alignment ToQAlignment(Alignment alignment);

// Brings a label widget in line with its model: text, font, place, colour in
// every colour group (a label on a disabled window keeps its colour) and
// visibility. A word wider than its label (a seven-digit score) spills over the
// label's edges as its alignment places it, rather than losing its ends. At a
// zoom, place and font grow by the factor.
void ApplyLabel(QLabel& widget, const Label& label, int zoom = 1);

// A label widget, named as its model, and the model it mirrors.
class LabelView {
 public:
  LabelView(const Label& model, QWidget* parent);
  QLabel* widget() const { return widget_; }
  // Applies the model again when it changed since the last look.
  void Sync();
  // Shows the label at another zoom.
  void SetZoom(int zoom);

 private:
  const Label* model_;
  QLabel* widget_;
  Label shown_;
  int zoom_ = 1;
};

// Runs a timer as its model says: stopped unless enabled with an interval, and
// started afresh when switched on or given another interval.
void SyncTimer(QTimer& timer, const Timer& model);

// Shows a window in the middle of its screen; a desktop's title bar and border
// go round it.
void ShowCentered(QWidget& window);

}  // namespace marvo
