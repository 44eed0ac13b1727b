#pragma once

#include <array>
#include <string>
#include <utility>
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
      : app_(app), clock_(clock), mixer_(mixer), start_(clock.Clock()) {}

  void Look() {
    while (cues_ < mixer_.cues.size()) Note(mixer_.cues[cues_++]);
    const auto now = Now();
    for (size_t i = 0; i < now.size(); ++i)
      if (now[i] != seen_[i]) Note(now[i]);
    seen_ = now;
  }

  // The time of the n-th moment reading exactly `what`, or -1.
  double At(const std::string& what, int n = 1) const {
    for (const auto& [w, when] : moments_)
      if (w == what && --n == 0) return when;
    return -1;
  }
  int Count(const std::string& what) const {
    int count = 0;
    for (const auto& moment : moments_) count += moment.first == what;
    return count;
  }

 private:
  // What is watched, each as the moment a change to it names.
  std::array<std::string, 6> Now() const {
    const MainFormModel& f = app_.form;
    const GameRecord& r = app_.record;
    return {r.GameRunning != 0 ? "game" : "title", r.StopFlag != 0 ? "stopped" : "moving",
            f.lblMsg.visible && f.lblbonus1.visible ? "all clear" : "all clear gone",
            f.lblbonus2.visible ? "perfect" : "perfect gone",
            // Banners show only on a held field; only they hold pure green.
            !f.picSTAGE.enabled && BannerShown() ? "banner" : "banner gone",
            "stage " + f.lblNumber.caption};
  }
  void Note(const std::string& what) { moments_.emplace_back(what, clock_.Clock() - start_); }
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
  size_t cues_ = mixer_.cues.size();
  std::array<std::string, 6> seen_ = Now();  // the state as found is no moment
  std::vector<std::pair<std::string, double>> moments_;
};

}  // namespace marvo::support
