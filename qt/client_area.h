#pragma once

#include <QImage>
#include <QWidget>
#include <vector>

#include "ui/form.h"

class QPainter;

namespace marvo {

// The main window's client area: the black background, the read-out panel's
// frame lines and the caption strip's frame. The pictures and labels are its
// children; it draws only what lies behind them.
class ClientArea final : public QWidget {
 public:
  ClientArea(const MainFormModel& model, QWidget* parent);

  void SetZoom(int zoom);
  // Repaints when the frame changed since it was last drawn.
  void Sync();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void PaintFrame(QPainter& painter);

  const MainFormModel& model_;
  int zoom_ = 1;
  QImage zoomed_frame_;  // the frame at 1x, drawn when zoomed
  std::vector<Line> lines_;
  Shape shape_;
  Color back_color_ = kBlack;
};

}  // namespace marvo
