#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "qt/screensaver.h"
#include "shell/desktop.h"

namespace marvo {

class AboutWindow;
class MainForm;
class HelpWindow;

// The desktop as Qt reaches it.
class QtDesktop final : public Desktop {
 public:
  QtDesktop();
  ~QtDesktop();
  QtDesktop(const QtDesktop&) = delete;
  QtDesktop& operator=(const QtDesktop&) = delete;

  // The main window, once it exists.
  void SetMainWindow(MainForm* window);

  void CloseMainWindow() override;
  void EndProcess() override;
  bool OpenUrl(const std::string& url) override;
  void SetBusyCursor(bool busy) override;
  void ShowCriticalMessage(const std::string& text, const std::string& title) override;
  void ShowHelp(const std::string& path) override;
  void HoldScreenSaver(bool hold) override { screensaver_.Hold(hold); }
  void ShowAboutWindow(AboutFormModel& model, AboutFormEvents& events) override;
  void CloseAboutWindow() override;

  // The windows it shows, while they are there.
  AboutWindow* About() const;
  HelpWindow* Help() const { return help_.get(); }

 private:
  // The main window follows its model at once when the About window changes
  // it (OK gives it back its input).
  void MirrorMainWindow();

  QPointer<MainForm> main_window_;
  QPointer<AboutWindow> about_;
  std::unique_ptr<HelpWindow> help_;
  bool busy_ = false;
  ScreenSaverHold screensaver_;
};

}  // namespace marvo
