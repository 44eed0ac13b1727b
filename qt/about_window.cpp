#include "qt/about_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include "qt/field_widget.h"
#include "qt/model_view.h"
#include "qt/qt_text.h"
#include "qt/translation.h"
#include "resources/pictures.h"

namespace marvo {

namespace {

// A plain box in one colour, for the window, the credit window and the strip.
void PaintBackground(QWidget& widget, Color color) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Window, ToQColor(color));
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}

// The classic mouse button code: left 1, right 2, middle 4.
int16_t ClassicButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 1;
  }
}

}  // namespace

AboutWindow::AboutWindow(AboutFormModel& model, AboutFormEvents& events,
                         std::function<void()> after_event, QWidget* parent)
    : QDialog(parent), model_(model), events_(events), after_event_(std::move(after_event)) {
  setObjectName("frmAbout");
  // A fixed dialog border: a close box and nothing else.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setModal(false);
  setWindowTitle(Translated(model.caption));
  setFixedSize(model.client_width, model.client_height);
  setFont(MakeFont(model.font));
  PaintBackground(*this, model.back_color);

  // OK first, so it is first in the tab order and takes the focus.
  ok_ = new QPushButton(ToQString(model.cmdOK.caption), this);
  ok_->setObjectName(ToQString(model.cmdOK.name));
  ok_->setFont(MakeFont(model.cmdOK.font));
  ok_->setGeometry(ToQRect(model.cmdOK.rect));
  ok_->setDefault(true);  // Enter presses it
  connect(ok_, &QPushButton::clicked, this, [this] { Route([&] { events_.cmdOK_Click(); }); });

  emblem_ = new QLabel(this);
  emblem_->setObjectName(ToQString(model.imgEmblem.name));
  SetEmblemPicture();
  emblem_->setGeometry(ToQRect(model.imgEmblem.rect));
  emblem_->installEventFilter(this);

  for (const Label* label : model.labels) AddLabel(*label, this);

  credit_window_ = new QWidget(this);
  credit_window_->setObjectName(ToQString(model.picScroll1.name));
  PaintBackground(*credit_window_, kBlack);
  credit_strip_ = new QWidget(credit_window_);
  credit_strip_->setObjectName(ToQString(model.picScroll2.name));
  PaintBackground(*credit_strip_, kBlack);
  for (const Label& label : model.credits) AddLabel(label, credit_strip_);

  scroll_timer_ = new QTimer(this);
  scroll_timer_->setObjectName(ToQString(model.ScrollTimer.name));
  // The roll keeps to whole-millisecond steps of 15 and 16 ms; a coarse timer would blur them.
  scroll_timer_->setTimerType(Qt::PreciseTimer);
  scroll_timer_->setInterval(model.ScrollTimer.interval_ms);
  connect(scroll_timer_, &QTimer::timeout, this,
          [this] { Route([&] { events_.ScrollTimer_Timer(); }); });

  ok_->setFocus();
  Mirror();
}

void AboutWindow::SetEmblemPicture() {
  QImage icon;
  CopyToQImage(Icon(32), icon);
  emblem_->setPixmap(QPixmap::fromImage(
      icon.scaled(icon.size() * zoom_, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
}

void AboutWindow::SetZoom(int zoom) {
  if (zoom == zoom_ || dismissed_) return;
  zoom_ = zoom;
  setFixedSize(model_.client_width * zoom, model_.client_height * zoom);
  setFont(MakeFont(model_.font, zoom));
  ok_->setFont(MakeFont(model_.cmdOK.font, zoom));
  SetEmblemPicture();
  for (LabelView& view : labels_) view.SetZoom(zoom);
  Mirror();
}

void AboutWindow::AddLabel(const Label& label, QWidget* parent) {
  labels_.emplace_back(label, parent);
  labels_.back().widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void AboutWindow::ShowCentered() {
  marvo::ShowCentered(*this);
  raise();
  activateWindow();
}

void AboutWindow::Mirror() {
  if (dismissed_) return;
  const QString title = Translated(model_.caption);
  if (windowTitle() != title) setWindowTitle(title);

  for (LabelView& view : labels_) view.Sync();

  const ImageControl& emblem = model_.imgEmblem;
  if (emblem_->geometry() != ToQRect(emblem.rect, zoom_))
    emblem_->setGeometry(ToQRect(emblem.rect, zoom_));
  if (emblem_->toolTip() != Translated(emblem.tooltip))
    emblem_->setToolTip(Translated(emblem.tooltip));

  // The credit window clips the strip, which climbs through it.
  if (credit_window_->geometry() != ToQRect(model_.picScroll1.rect, zoom_))
    credit_window_->setGeometry(ToQRect(model_.picScroll1.rect, zoom_));
  if (credit_strip_->geometry() != ToQRect(model_.picScroll2.rect, zoom_))
    credit_strip_->setGeometry(ToQRect(model_.picScroll2.rect, zoom_));

  const Button& ok = model_.cmdOK;
  if (ok_->text() != ToQString(ok.caption)) ok_->setText(ToQString(ok.caption));
  if (ok_->toolTip() != Translated(ok.tooltip)) ok_->setToolTip(Translated(ok.tooltip));
  if (ok_->isEnabled() != ok.enabled) ok_->setEnabled(ok.enabled);
  if (ok_->geometry() != ToQRect(ok.rect, zoom_)) ok_->setGeometry(ToQRect(ok.rect, zoom_));

  SyncTimer(*scroll_timer_, model_.ScrollTimer);
}

void AboutWindow::Dismiss() {
  if (dismissed_) return;
  dismissed_ = true;
  scroll_timer_->stop();
  hide();
  deleteLater();
}

void AboutWindow::Route(const std::function<void()>& handler) {
  // Events queued before the window went are dropped: the model may be gone.
  if (dismissed_) return;
  handler();
  Mirror();
  if (after_event_) after_event_();
}

void AboutWindow::closeEvent(QCloseEvent* event) {
  if (dismissed_) return event->accept();
  int16_t cancel = 0;
  Route([&] { events_.Form_Unload(cancel); });
  if (cancel != 0 && !dismissed_)
    event->ignore();
  else
    event->accept();
}

void AboutWindow::reject() { ok_->click(); }

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == emblem_ &&
      (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseButtonPress) {
      emblem_pressed_ |= mouse->button();
    } else if (emblem_pressed_ & mouse->button()) {
      // Released after a press on the emblem, wherever the pointer is now.
      emblem_pressed_ &= ~mouse->button();
      if (!dismissed_ && model_.imgEmblem.enabled) {
        int16_t button = ClassicButton(mouse->button());
        int16_t shift = int16_t(ClassicShiftState(mouse->modifiers()));
        // In the window's own pixels, whatever the zoom.
        float x = float(mouse->position().x() / zoom_), y = float(mouse->position().y() / zoom_);
        Route([&] { events_.imgEmblem_MouseUp(button, shift, x, y); });
      }
    }
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace marvo
