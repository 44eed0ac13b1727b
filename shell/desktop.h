#pragma once

#include <string>

#include "ui/about_form.h"

namespace marvo {

// What the game asks of the desktop around its windows. The Qt front end
// implements it; tests record the requests.
class Desktop {
 public:
  // Unloads the main window: its unload handler runs, as with the close box.
  virtual void CloseMainWindow() = 0;
  // Ends the program at once: no further event is handled.
  virtual void EndProcess() = 0;

  // Hands a web address to the user's browser; false when that failed.
  virtual bool OpenUrl(const std::string& url) = 0;
  // The hourglass pointer over the whole screen while `busy`, else the default.
  virtual void SetBusyCursor(bool busy) = 0;
  // A message box with the critical-stop icon and one OK button; returns once
  // the player has closed it.
  virtual void ShowCriticalMessage(const std::string& text, const std::string& title) = 0;
  // Shows a help file in the game's help window: opens it, or raises the
  // window when it already shows that file.
  virtual void ShowHelp(const std::string& path) = 0;
  // Holds the screensaver and screen blanking off while `hold`, and lets them
  // be again. Never waits: without a desktop that offers this, nothing happens.
  virtual void HoldScreenSaver(bool hold) = 0;

  // Shows the About window for `model`, not modal; its events go to `events`.
  // Both outlive the window: CloseAboutWindow comes first.
  virtual void ShowAboutWindow(AboutFormModel& model, AboutFormEvents& events) = 0;
  // Takes the About window off the screen for good.
  virtual void CloseAboutWindow() = 0;

 protected:
  ~Desktop() = default;
};

}  // namespace marvo
