#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "qt/model_view.h"
#include "ui/about_form.h"

class QLabel;
class QPushButton;
class QTimer;

namespace marvo {

// The About window (frmAbout) on the screen: built once from its model, its
// events routed to the About logic, the model mirrored back after each one.
// Not modal. Once dismissed it never looks at its model again, so the model
// may go while the widget still waits for its deferred deletion.
class AboutWindow final : public QDialog {
 public:
  // `after_event` runs after every routed event, also the one that dismissed
  // the window (OK gives the main window back its input).
  AboutWindow(AboutFormModel& model, AboutFormEvents& events, std::function<void()> after_event,
              QWidget* parent = nullptr);

  const AboutFormModel* Model() const { return dismissed_ ? nullptr : &model_; }
  // Shows the window in the middle of its screen.
  void ShowCentered();
  // Draws the window at the main window's zoom: text at the zoomed size, the
  // emblem in square blocks.
  void SetZoom(int zoom);
  // Brings the widgets in line with the model.
  void Mirror();
  // Takes the window off the screen for good and deletes it once control is
  // back in the event loop (it may be inside one of its own handlers now).
  void Dismiss();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Escape presses OK.
  void reject() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void AddLabel(const Label& label, QWidget* parent);
  void SetEmblemPicture();
  void Route(const std::function<void()>& handler);

  AboutFormModel& model_;
  AboutFormEvents& events_;
  std::function<void()> after_event_;
  bool dismissed_ = false;
  int zoom_ = 1;
  QLabel* emblem_ = nullptr;
  Qt::MouseButtons emblem_pressed_;
  QWidget* credit_window_ = nullptr;
  QWidget* credit_strip_ = nullptr;
  QPushButton* ok_ = nullptr;
  QTimer* scroll_timer_ = nullptr;
  std::vector<LabelView> labels_;
};

}  // namespace marvo
