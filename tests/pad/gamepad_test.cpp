#include "qt/gamepad.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QTest>
#include <string>

#include "qt/main_form.h"
#include "tests/support/quiet_events.h"

namespace marvo {
namespace {

// The keys the window's two key handlers receive, as " window 13" or " field 32".
class KeyLog final : public support::QuietEvents {
 public:
  void Form_KeyDown(int16_t& key, int16_t&) override { keys += " window " + std::to_string(key); }
  void picSTAGE_KeyDown(int16_t& key, int16_t&) override {
    keys += " field " + std::to_string(key);
  }
  std::string keys;
};

// SDL's virtual joystick, as a pad with every controller button.
SDL_Joystick* PlugIn() {
  SDL_InitSubSystem(SDL_INIT_JOYSTICK);
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
  return SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
}

void PullOut(SDL_Joystick* pad) {
  const SDL_JoystickID id = SDL_JoystickInstanceID(pad);
  SDL_JoystickClose(pad);
  for (int i = 0; i < SDL_NumJoysticks(); ++i)
    if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

TEST(GamepadTest, PadsComingAndGoingTurnAndStartAsSpaceAndEnterDoOncePerPress) {
  MainFormModel model;
  KeyLog events;
  MainForm form(model, events);
  form.ShowCentered();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  Gamepad gamepad{form};
  ASSERT_TRUE(QTest::qWaitFor([&] { return gamepad.Available(); }));
  // The field as a game sets it; then the pads are looked at once.
  const auto look = [&](bool playing = false) {
    model.picSTAGE.enabled = playing;
    form.Mirror();
    gamepad.Pump();
    QCoreApplication::processEvents();
    return std::exchange(events.keys, {});
  };
  SDL_Joystick* first = PlugIn();
  SDL_Joystick* pad = PlugIn();
  look();
  EXPECT_EQ(gamepad.Connected(), 2);
  PullOut(first);
  look();
  EXPECT_EQ(gamepad.Connected(), 1);
  // At the title the window has the keys (Enter starts); during play the field (Space turns).
  for (bool playing : {false, true}) {
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
      SCOPED_TRACE(button);
      const bool face_or_shoulder = button <= SDL_CONTROLLER_BUTTON_Y ||
                                    button == SDL_CONTROLLER_BUTTON_LEFTSHOULDER ||
                                    button == SDL_CONTROLLER_BUTTON_RIGHTSHOULDER;
      const int key = face_or_shoulder ? 32 : button == SDL_CONTROLLER_BUTTON_START ? 250 : 0;
      SDL_JoystickSetVirtualButton(pad, button, 1);
      EXPECT_EQ(look(playing),
                key == 0 ? "" : (playing ? " field " : " window ") + std::to_string(key));
      EXPECT_EQ(look(playing), "") << "held down";
      SDL_JoystickSetVirtualButton(pad, button, 0);
    }
  }
  // A message box has the keyboard, and so the pad too.
  QMessageBox box;
  box.setWindowModality(Qt::ApplicationModal);
  box.show();
  SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_START, 1);
  EXPECT_EQ(look(), "");
  SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_START, 0);
  look();
  box.close();
  // Left to itself, the window looks at the pads on its own.
  PullOut(pad);
  EXPECT_TRUE(QTest::qWaitFor([&] { return gamepad.Connected() == 0; }, 3000));
}

}  // namespace
}  // namespace marvo
