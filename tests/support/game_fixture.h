#pragma once

#include <gtest/gtest.h>

#include "tests/support/headless_game.h"

namespace marvo::support {

// The whole game headless, loaded as at start-up, with the title timer running
// on virtual time.
class GameFixture : public testing::Test, public HeadlessGame<> {
 protected:
  GameFixture() {
    platform.AddTimer(app.form.DemoTimer, [this] { app.DemoTimer_Timer(); });
    app.Form_Load();
  }

  Color FieldAt(int x, int y) const { return app.form.picSTAGE.surface.GetPixel(x, y); }
};

}  // namespace marvo::support
