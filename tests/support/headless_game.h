#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "generated/game_files.h"
#include "shell/app.h"
#include "tests/support/autoplayer.h"
#include "tests/support/fake_text.h"
#include "tests/support/recording_desktop.h"
#include "tests/support/recording_mixer.h"
#include "tests/support/temp_dir.h"
#include "tests/support/virtual_platform.h"
#include "ui/keys.h"

namespace marvo::support {

// The whole game without a window: the app on virtual time with a recording
// mixer and desktop, text drawn by `Text`, and an autoplayer between the game
// and the clock that presses Space on the field. The game's directory holds
// both music tracks unless told otherwise; a second copy of the game may share
// another one's folder. Nothing is loaded yet.
template <class Text = BlockTextRasterizer>
class HeadlessGame {
 public:
  explicit HeadlessGame(bool with_music = true, const std::string& shared_dir = {})
      : player(platform),
        app(player, text, desktop, mixer, shared_dir.empty() ? dir.path() : shared_dir) {
    player.Attach(app.record, app.form.picSTAGE,
                  [this] { Key(&App::picSTAGE_KeyDown, kKeySpace); });
    if (with_music) {
      dir.Write(kWaveTrack1Music, "");
      dir.Write(kWaveTrack2Music, "");
    }
  }

  // A key as the window delivers it to a handler.
  void Key(void (App::*handler)(int16_t&, int16_t&), int16_t code, int16_t shift = 0) {
    (app.*handler)(code, shift);
  }
  void Enter() { Key(&App::Form_KeyDown, kKeyEnter); }
  // A whole game that ends by a crash with `score`; `closing` watches its
  // closing pause.
  void PlayGameScoring(int32_t score, const std::function<void()>& closing = {}) {
    player.playing = false;
    player.on_yield = [this, score, closing, set = false]() mutable {
      if (app.form.picSTAGE.enabled && !set) set = true, app.record.Score = score;
      if (app.record.StopFlag == 1 && set && app.record.GameRunning == 1 && closing) closing();
    };
    Enter();
    player.on_yield = nullptr;
  }

  TempDir dir;
  VirtualPlatform platform;
  Autoplayer player;
  Text text;
  RecordingDesktop desktop;
  RecordingMixer mixer;
  App app;
};

}  // namespace marvo::support
