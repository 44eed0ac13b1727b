#include "qt/client_area.h"

#include <QPainter>

#include "qt/model_view.h"

namespace marvo {

ClientArea::ClientArea(const MainFormModel& model, QWidget* parent)
    : QWidget(parent), model_(model) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  SetZoom(1);
}

void ClientArea::SetZoom(int zoom) {
  zoom_ = zoom;
  setFixedSize(model_.client_width * zoom, model_.client_height * zoom);
  update();
}

void ClientArea::Sync() {
  std::vector<Line> lines;
  for (const Line* line : model_.lines) lines.push_back(*line);
  if (lines != lines_ || !(model_.Shape1 == shape_) || model_.back_color != back_color_) {
    lines_ = std::move(lines);
    shape_ = model_.Shape1;
    back_color_ = model_.back_color;
    zoomed_frame_ = QImage();
    update();
  }
}

void ClientArea::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (zoom_ == 1) return PaintFrame(painter);
  // Zoomed, the frame is drawn at 1x once and each pixel becomes a square block.
  if (zoomed_frame_.isNull()) {
    zoomed_frame_ = QImage(model_.client_width, model_.client_height, QImage::Format_RGB32);
    QPainter frame_painter(&zoomed_frame_);
    PaintFrame(frame_painter);
  }
  painter.drawImage(rect(), zoomed_frame_);
}

void ClientArea::PaintFrame(QPainter& painter) {
  painter.fillRect(QRect(0, 0, model_.client_width, model_.client_height), ToQColor(back_color_));
  for (const Line& line : lines_) {
    if (!line.visible) continue;
    painter.setPen(ToQColor(line.color));
    painter.drawLine(line.x1, line.y1, line.x2, line.y2);
  }
  if (shape_.visible) {
    // A 1-pixel pen on drawRect lights width + 1 pixels: the shape's width
    // already counts both edges.
    painter.setPen(ToQColor(shape_.border_color));
    painter.setBrush(Qt::NoBrush);
    const Rect& r = shape_.rect;
    painter.drawRect(QRect(r.x, r.y, r.width - 1, r.height - 1));
  }
}

}  // namespace marvo
