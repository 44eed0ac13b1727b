#pragma once

#include <gtest/gtest.h>

#include "shell/app.h"
#include "tests/support/autoplayer.h"
#include "tests/support/fake_text.h"
#include "tests/support/recording_desktop.h"
#include "tests/support/recording_mixer.h"
#include "tests/support/temp_dir.h"
#include "tests/support/virtual_platform.h"

namespace marvo::testing {

// The whole game headless: the app on virtual time with a recording mixer and
// desktop, loaded as at start-up, and an autoplayer between it and the clock.
class GameFixture : public ::testing::Test {
 protected:
  GameFixture() : player(platform), app(player, text, desktop, mixer, dir.path()) {
    player.Attach(app.record, app.form.picSTAGE, [this] { Key(&App::picSTAGE_KeyDown, 32); });
    platform.AddTimer(app.form.DemoTimer, [this] { app.DemoTimer_Timer(); });
    dir.Write("bgm1.wav", "");
    dir.Write("bgm3.wav", "");
    app.Form_Load();
  }

  // A key as the window delivers it to a handler.
  void Key(void (App::*handler)(int16_t&, int16_t&), int16_t code, int16_t shift = 0) {
    (app.*handler)(code, shift);
  }
  void Enter() { Key(&App::Form_KeyDown, 13); }
  Color FieldAt(int x, int y) const { return app.form.picSTAGE.surface.GetPixel(x, y); }

  // The game's directory, with both music tracks present.
  TempDir dir;
  VirtualPlatform platform;
  Autoplayer player;
  BlockTextRasterizer text;
  RecordingDesktop desktop;
  RecordingMixer mixer;
  App app;
};

}  // namespace marvo::testing
