// The window's own events sent to the game's handlers: keys, the close box
// and a click on the caption strip.
#include "qt/main_form.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include "qt/client_area.h"
#include "qt/field_widget.h"
#include "ui/keys.h"

namespace marvo {

void MainForm::Route(const std::function<void()>& handler) {
  handler();
  Mirror();
}

void MainForm::keyPressEvent(QKeyEvent* event) {
  const int code = ClassicKeyCode(event->key());
  int16_t key_code = int16_t(code), shift = int16_t(ClassicShiftState(event->modifiers()));
  // A key the game has no use for goes as code 0: the player is there all the same.
  if (event->isAutoRepeat())
    Route([&] { events_.Form_KeyRepeat(key_code, shift); });
  else
    Route([&] { events_.Form_KeyDown(key_code, shift); });
  if (code == 0) QMainWindow::keyPressEvent(event);
}

void MainForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && !isActiveWindow())
    Route([&] { events_.Form_Deactivate(); });
  QMainWindow::changeEvent(event);
}

void MainForm::closeEvent(QCloseEvent* event) {
  int16_t cancel = 0;
  Route([&] { events_.Form_Unload(cancel); });
  if (cancel != 0)
    event->ignore();
  else
    event->accept();
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_ && event->type() == QEvent::MouseButtonPress && !field_->isEnabled()) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton &&
        field_->geometry().contains(mouse->position().toPoint())) {
      int16_t key_code = kKeySpace, shift = 0;
      Route([&] { events_.Form_KeyDown(key_code, shift); });
    }
  }
  if (watched == strip_) {
    // A click is a press and a release of the left button on the strip.
    if (event->type() == QEvent::MouseButtonPress) {
      strip_pressed_ = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    } else if (event->type() == QEvent::MouseButtonRelease && strip_pressed_) {
      strip_pressed_ = false;
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton &&
          strip_->rect().contains(mouse->position().toPoint())) {
        Route([&] { events_.lblBgmName_Click(); });
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace marvo
