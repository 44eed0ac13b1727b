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
  bool OpenUrl(const std::string& url) override;
  void SetBusyCursor(bool busy) override;
  void ShowCriticalMessage(const std::string& text, const std::string& title) override;
  void ShowHelp(const std::string& path) override;
  void ShowAboutWindow(AboutFormModel& model, AboutFormEvents& events) override;
  void CloseAboutWindow() override;

 private:
  QPointer<QWidget> main_window_;
  bool busy_ = false;
};

}  // namespace marvo
