#pragma once

#include <string>
#include <vector>

#include "shell/desktop.h"

namespace marvo::support {

// A desktop that writes down what the game asked of it, one line a request,
// and answers as told.
class RecordingDesktop final : public Desktop {
 public:
  std::vector<std::string> requests;
  bool browser_works = true;              // what OpenUrl answers
  AboutFormModel* about_model = nullptr;  // the About window's model while it is shown
  AboutFormEvents* about_events = nullptr;
  // The process ends at once, from however deep in a game: the test catches
  // this where it started the game.
  struct ProcessEnded {};
  bool end_for_real = false;

  void CloseMainWindow() override { requests.push_back("close main window"); }
  void EndProcess() override {
    requests.push_back("end process");
    if (end_for_real) throw ProcessEnded{};
  }
  bool OpenUrl(const std::string& url) override {
    requests.push_back("open " + url);
    return browser_works;
  }
  void SetBusyCursor(bool busy) override {
    requests.push_back(busy ? "hourglass" : "default pointer");
  }
  void ShowCriticalMessage(const std::string& text, const std::string& title) override {
    requests.push_back("message " + title + ": " + text);
  }
  void ShowHelp(const std::string& path) override { requests.push_back("help " + path); }
  void HoldScreenSaver(bool hold) override {
    requests.push_back(hold ? "hold screensaver" : "free screensaver");
  }
  void ShowAboutWindow(AboutFormModel& model, AboutFormEvents& events) override {
    requests.push_back("show about");
    about_model = &model, about_events = &events;
  }
  void CloseAboutWindow() override {
    requests.push_back("close about");
    about_model = nullptr, about_events = nullptr;
  }
};

}  // namespace marvo::support
