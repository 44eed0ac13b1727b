#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <map>

class QWidget;
struct _SDL_GameController;

namespace marvo {

// Game controllers as a second keyboard: a face or shoulder button is Space and
// Start is the keyboard's Play key (Enter at the title, pause during a game), handed to the window
// as key presses, so they take the keys' path and meet the keys' guards (the field takes turns only
// during play, Enter starts a game only at the title). Pads may come and go while the game runs.
// Without SDL's controller support the window simply has no pad.
class Gamepad final : public QObject {
 public:
  explicit Gamepad(QWidget& window);
  ~Gamepad() override;
  Gamepad(const Gamepad&) = delete;
  Gamepad& operator=(const Gamepad&) = delete;

  // Whether SDL's controller support came up: it is started soon after the window.
  bool Available() const { return available_; }
  // Pads plugged in now.
  int Connected() const { return int(pads_.size()); }
  // Takes in what the pads did since the last look; called whenever the
  // window's event loop goes idle, and by the poll timer.
  void Pump();

 private:
  // How often the pads are looked at while the window is idle, at the title:
  // a Start, a plug or a pull is noticed within this time.
  static constexpr int kIdlePollMs = 150;

  void Start();
  void Open(int device_index);
  void Press(int qt_key);
  void Deliver(int qt_key);

  QWidget& window_;
  bool available_ = false;
  QTimer poll_;
  std::map<int32_t, _SDL_GameController*> pads_;  // by SDL's joystick instance id
};

}  // namespace marvo
