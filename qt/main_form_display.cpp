// Zoom and full screen: the factor the window is drawn at, and where it sits.
#include "qt/main_form.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "qt/client_area.h"
#include "qt/qt_text.h"

namespace marvo {

void MainForm::AddZoomKeys() {
  // Window shortcuts come before any key press: these keys never reach the game.
  const auto add = [this](QList<QKeySequence> keys, std::function<void()> act) {
    auto* action = new QAction(this);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, std::move(act));
    addAction(action);
  };
  const int ctrl = Qt::CTRL, keypad = Qt::KeypadModifier;
  add({QKeySequence(ctrl | Qt::Key_Plus), QKeySequence(ctrl | Qt::Key_Equal),
       QKeySequence(ctrl | keypad | Qt::Key_Plus)},
      [this] { ZoomBy(+1); });
  add({QKeySequence(ctrl | Qt::Key_Minus), QKeySequence(ctrl | keypad | Qt::Key_Minus)},
      [this] { ZoomBy(-1); });
  add({QKeySequence(ctrl | Qt::Key_0), QKeySequence(ctrl | keypad | Qt::Key_0)},
      [this] { ZoomTo(1); });
  add({QKeySequence(Qt::Key_F11)}, [this] { ToggleFullScreen(); });
}

Extent MainForm::GameExtent() const {
  return {model_.client_width, model_.client_height + menu_height_};
}

int MainForm::LargestWindowZoom() const {
  const QScreen* screen = this->screen() ? this->screen() : QApplication::primaryScreen();
  const QSize border = isVisible() ? frameGeometry().size() - geometry().size() : QSize();
  const QSize area = screen->availableGeometry().size();
  return LargestZoom(GameExtent(), {border.width(), border.height()},
                     {area.width(), area.height()});
}

void MainForm::ApplyZoom(int zoom) {
  if (zoom == zoom_) return;
  zoom_ = zoom;
  const QFont font = MenuFont(zoom);
  setFont(font);
  menuBar()->setFont(font);
  menuBar()->setFixedHeight(menu_height_ * zoom);
  for (QMenu* menu : menu_widgets_) {
    menu->setFont(font);
    // The style draws its check column wider than it measures it once the
    // font is big, and then cuts the captions short: by less than a line's
    // height, so that much more room keeps them whole.
    menu->setMinimumWidth(zoom == 1 ? 0 : menu->sizeHint().width() + menu->fontMetrics().height());
  }
  client_->SetZoom(zoom);
  for (LabelView& view : labels_) view.SetZoom(zoom);
  for (PictureView& view : pictures_) view.widget->SetZoom(zoom);
  Mirror();
}

void MainForm::Show(DisplayChoice& display, std::function<void()> changed) {
  display_ = &display;
  display_changed_ = std::move(changed);
  if (display.full_screen)
    ShowFullScreen();
  else
    ShowWindowed();
}

void MainForm::ShowWindowed() {
  full_screen_ = false;
  setContentsMargins(0, 0, 0, 0);
  if (isFullScreen()) showNormal();
  ApplyZoom(std::min(display_->zoom, LargestWindowZoom()));
  setFixedSize(GameExtent().width * zoom_, GameExtent().height * zoom_);
  ShowCentered();
}

void MainForm::ShowFullScreen() {
  const QScreen* screen = this->screen() ? this->screen() : QApplication::primaryScreen();
  const QRect whole = screen->geometry();
  const ScreenPlacement place = PlaceOnScreen(GameExtent(), {whole.width(), whole.height()});
  full_screen_ = true;
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  ApplyZoom(place.zoom);
  // The game in the middle, black all round (see paintEvent).
  setContentsMargins(place.x, place.y, whole.width() - place.x - GameExtent().width * zoom_,
                     whole.height() - place.y - GameExtent().height * zoom_);
  setGeometry(whole);
  showFullScreen();
}

void MainForm::ZoomBy(int step) {
  // Full screen has its own factor.
  if (full_screen_) return;
  ZoomTo(StepZoom(zoom_, step, LargestWindowZoom()));
}

void MainForm::ZoomTo(int zoom) {
  if (full_screen_ || zoom == zoom_) return;
  display_->Choose(zoom, false);
  ShowWindowed();
  if (display_changed_) display_changed_();
}

void MainForm::ToggleFullScreen() {
  display_->Choose(display_->zoom, !full_screen_);
  if (full_screen_)
    ShowWindowed();
  else
    ShowFullScreen();
  if (display_changed_) display_changed_();
}

void MainForm::paintEvent(QPaintEvent* event) {
  // Only the border round the game in full screen shows the window itself.
  if (full_screen_) QPainter(this).fillRect(rect(), Qt::black);
  QMainWindow::paintEvent(event);
}

}  // namespace marvo
