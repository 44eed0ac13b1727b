#pragma once

#include <string>
#include <vector>

#include "shell/app.h"
#include "tests/support/recording_mixer.h"
#include "ui/field_layout.h"
#include "ui/platform.h"

namespace marvo::support {

// The moments of a game as the player sees and hears them, each with its time
// on the game's clock since the recorder began ("stopped", "play e1.wav once").
// Look() notes what changed since the last look; a test calls it on every
// yield and then reads the time of a moment, or how often it came.
class Moments {
 public:
  Moments(const App& app, Platform& clock, const RecordingMixer& mixer)
      : app_(app), clock_(clock), mixer_(mixer), start_(clock.Clock()) {
    Look();  // the state as found is no moment
    noting_ = true;
  }

  void Look() {
    const MainFormModel& f = app_.form;
    const GameRecord& r = app_.record;
    while (cues_ < mixer_.cues.size()) Note(mixer_.cues[cues_++]);
    Watch(0, r.GameRunning != 0, "game", "title");
    Watch(1, r.StopFlag != 0, "stopped", "moving");
    Watch(2, f.lblMsg.visible && f.lblbonus1.visible, "all clear", "all clear gone");
    Watch(3, f.lblbonus2.visible, "perfect", "perfect gone");
    // Banners show only on a held field; only they hold pure green.
    Watch(4, !f.picSTAGE.enabled && BannerShown(), "banner", "banner gone");
    if (f.lblNumber.caption != stage_) Note("stage " + (stage_ = f.lblNumber.caption));
  }

  // The time of the n-th moment reading exactly `what`, or -1.
  double At(const std::string& what, int n = 1) const {
    for (size_t i = 0; i < what_.size(); ++i)
      if (what_[i] == what && --n == 0) return when_[i];
    return -1;
  }
  int Count(const std::string& what) const {
    int count = 0;
    for (const std::string& w : what_) count += w == what;
    return count;
  }

 private:
  void Note(const std::string& what) {
    if (!noting_) return;
    what_.push_back(what);
    when_.push_back(clock_.Clock() - start_);
  }
  void Watch(int i, bool now, const char* on, const char* off) {
    if (now != seen_[i]) Note((seen_[i] = now) ? on : off);
  }
  bool BannerShown() const {
    const Surface& field = app_.form.picSTAGE.surface;
    // Wide enough for the all-clear banner, one pixel right of the others.
    for (int y = kBannerY; y < kBannerY + kBannerHeight; ++y)
      for (int x = kBannerX; x < kBannerX + 1 + kBannerWidth; ++x)
        if (field.GetPixel(x, y) == 0x00FF00) return true;
    return false;
  }

  const App& app_;
  Platform& clock_;
  const RecordingMixer& mixer_;
  const double start_;
  bool noting_ = false;
  size_t cues_ = 0;
  bool seen_[5] = {};
  std::string stage_;
  std::vector<std::string> what_;
  std::vector<double> when_;
};

}  // namespace marvo::support
