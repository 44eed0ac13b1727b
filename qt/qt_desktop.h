#pragma once

#include <QPointer>
#include <QWidget>

#include "shell/desktop.h"

namespace marvo {

// The desktop as Qt reaches it.
class QtDesktop final : public Desktop {
 public:
  // The main window, once it exists.
  void SetMainWindow(QWidget* window) { main_window_ = window; }

  void CloseMainWindow() override;
  void EndProcess() override;

 private:
  QPointer<QWidget> main_window_;
};

}  // namespace marvo
