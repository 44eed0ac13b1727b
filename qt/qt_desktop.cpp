#include "qt/qt_desktop.h"

#include <cstdio>
#include <cstdlib>

namespace marvo {

void QtDesktop::CloseMainWindow() {
  if (main_window_) main_window_->close();
}

void QtDesktop::EndProcess() {
  // At once, even from inside a running game's loop: no further event is
  // handled and no destructor of the window runs under the game's feet.
  std::fflush(nullptr);
  std::_Exit(0);
}

}  // namespace marvo
