#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "ui/surface.h"

class QPainter;

namespace marvo {

// Shows a surface pixel for pixel; zoomed or on high-DPI screens each field
// pixel becomes a whole square block (nearest neighbour), so it stays crisp.
class FieldWidget final : public QWidget {
 public:
  explicit FieldWidget(const Surface& surface, QWidget* parent = nullptr);

  // Takes what changed on the surface since the last look into the shown image
  // and repaints just that block.
  void Sync();
  // Each surface pixel becomes a `zoom` x `zoom` block; the widget's size
  // follows.
  void SetZoom(int zoom);
  int Zoom() const { return zoom_; }
  // A word laid over the top right corner of the field by the view alone:
  // the surface never sees it. Empty for none.
  void SetCornerText(const QString& text);

  // Key presses on the field, as classic key codes (ui/keys.h). A press of
  // the left mouse button on the field is a Space too.
  std::function<void(int key_code, int shift)> on_key_down;
  // A key held down and repeated by the keyboard; without it, a press.
  std::function<void(int key_code, int shift)> on_key_repeat;

  // What the window shows over the field, never in it: "PAUSE" in the middle
  // in the banners' green, and a small note in the bottom right corner.
  void SetOverlay(bool pause, const QString& note);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  // Converts what changed since the shown generation; returns that block.
  QRect CatchUp();
  void PaintOverlay(QPainter& painter) const;
  // A block of surface pixels in widget pixels.
  QRect Zoomed(const QRect& pixels) const;

  const Surface& surface_;
  QImage shown_;  // the surface as of shown_generation_, in Qt's colours
  uint64_t shown_generation_ = ~uint64_t{0};
  int zoom_ = 1;
  bool pause_ = false;
  QString note_;
  QString corner_text_;
};

// Copies an image into a Qt image of the same size (reusing `out` when it has it).
void CopyToQImage(const Image& image, QImage& out);
// Copies only the block `area` into `out`, when `out` already has the image's
// size; otherwise all of it. Returns the block copied, clipped to the image.
QRect CopyToQImage(const Image& image, QImage& out, const PixelRect& area);

// The classic key code of a Qt key (Enter, Space, F2, Escape, Pause, P, and
// the Play key a pad's Start stands for: ui/keys.h), or 0.
int ClassicKeyCode(int qt_key);
// Shift 1, Ctrl 2, Alt 4, as the classic shift state counts them.
int ClassicShiftState(Qt::KeyboardModifiers modifiers);

}  // namespace marvo
