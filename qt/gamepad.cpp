#include "qt/gamepad.h"

#include <SDL.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace marvo {

namespace {

// The key a pad button stands for, or 0: the face and shoulder buttons turn,
// Start starts.
int PadButtonKey(int sdl_button) {
  switch (sdl_button) {
    case SDL_CONTROLLER_BUTTON_A:
    case SDL_CONTROLLER_BUTTON_B:
    case SDL_CONTROLLER_BUTTON_X:
    case SDL_CONTROLLER_BUTTON_Y:
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
      return Qt::Key_Space;
    case SDL_CONTROLLER_BUTTON_START:
      // Enter at the title, the pause key during a game.
      return Qt::Key_MediaPlay;
    default:
      return 0;
  }
}

}  // namespace

Gamepad::Gamepad(QWidget& window) : window_(window) {
  // SDL's controller support takes some 10 ms to come up: not before the
  // window's first paint.
  QTimer::singleShot(kIdlePollMs, this, &Gamepad::Start);
}

void Gamepad::Start() {
  // SIGINT and SIGTERM stay the game's: they end it with the settings saved.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  available_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  if (!available_) return;
  // Pads already plugged in announce themselves as arrivals at the first look.
  // During play the game's loop goes idle between every two ticks, and the pads
  // are looked at then, without a wake-up of their own; at the title a slow
  // timer looks.
  connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
          &Gamepad::Pump);
  connect(&poll_, &QTimer::timeout, this, &Gamepad::Pump);
  poll_.start(kIdlePollMs);
}

Gamepad::~Gamepad() {
  if (!available_) return;
  for (const auto& [id, pad] : pads_) SDL_GameControllerClose(pad);
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void Gamepad::Pump() {
  if (!available_) return;
  // Everything queued is taken, so nothing the game does not use piles up.
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    switch (event.type) {
      case SDL_CONTROLLERDEVICEADDED:
        Open(event.cdevice.which);
        break;
      case SDL_CONTROLLERDEVICEREMOVED:
        if (auto pad = pads_.find(event.cdevice.which); pad != pads_.end()) {
          SDL_GameControllerClose(pad->second);
          pads_.erase(pad);
        }
        break;
      case SDL_CONTROLLERBUTTONDOWN:
        // One event per press: a button held down turns once.
        if (pads_.contains(event.cbutton.which)) Press(PadButtonKey(event.cbutton.button));
        break;
    }
  }
}

void Gamepad::Open(int device_index) {
  SDL_GameController* pad = SDL_GameControllerOpen(device_index);
  if (pad == nullptr) return;
  const int32_t id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
  // Opening a pad twice only counts it twice: one handle each is enough.
  if (!pads_.emplace(id, pad).second) SDL_GameControllerClose(pad);
}

void Gamepad::Press(int qt_key) {
  if (qt_key == 0) return;
  // Handed over from the event loop, not from inside the poll: a Start runs a
  // whole game in its handler, and the poll must go on meanwhile.
  QMetaObject::invokeMethod(
      this, [this, qt_key] { Deliver(qt_key); }, Qt::QueuedConnection);
}

void Gamepad::Deliver(int qt_key) {
  // An open menu or message box has the keyboard: the pad has no say there either.
  if (QApplication::activePopupWidget() != nullptr || QApplication::activeModalWidget() != nullptr)
    return;
  // Where a key would go: the field while it takes turns, else the window.
  QWidget* target = window_.focusWidget() != nullptr ? window_.focusWidget() : &window_;
  QKeyEvent press(QEvent::KeyPress, qt_key, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, qt_key, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &release);
}

}  // namespace marvo
