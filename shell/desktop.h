#pragma once

namespace marvo {

// What the game asks of the desktop around its window. The Qt front end
// implements it; tests record the requests.
class Desktop {
 public:
  // Unloads the main window: its unload handler runs, as with the close box.
  virtual void CloseMainWindow() = 0;
  // Ends the program at once: no further event is handled.
  virtual void EndProcess() = 0;

 protected:
  ~Desktop() = default;
};

}  // namespace marvo
