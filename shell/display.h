#pragma once

#include <string_view>

namespace marvo {

class Profile;

// The player's choice of window size: a whole zoom factor for the window and
// whether the game fills the screen. Kept in the settings file's own section.
struct DisplayChoice {
  int zoom = 1;
  bool full_screen = false;
  // The section is written only once the player has changed something or when
  // it was in the file already: a player who never zooms keeps the file as it
  // always was, byte for byte.
  bool remembered = false;

  // The player's change: from now on it is written with the settings.
  void Choose(int new_zoom, bool new_full_screen);
};

inline constexpr std::string_view kDisplaySection = "Display";

// Reads [Display] Zoom and FullScreen. A zoom that is no whole number from 1 up
// counts as 1; FullScreen is on only as "1".
DisplayChoice ReadDisplayChoice(const Profile& profile);
// Puts the choice into [Display] when it is to be remembered; otherwise leaves
// the profile untouched. False when a key could not be stored.
bool WriteDisplayChoice(const DisplayChoice& choice, Profile& profile);

struct Extent {
  int width = 0;
  int height = 0;
};

// The largest whole factor at which `window` (its size at 1x), plus the
// desktop's border round it, fits in `area`; 1 when not even that fits.
int LargestZoom(Extent window, Extent border, Extent area);

// One zoom step (+1 or -1) from `zoom`, kept within 1 .. `largest`.
int StepZoom(int zoom, int step, int largest);

// The game on a whole screen: the largest factor that fits, and where its
// top-left corner lies so that the black round it is even on both sides.
struct ScreenPlacement {
  int zoom = 1;
  int x = 0;
  int y = 0;
};
ScreenPlacement PlaceOnScreen(Extent window, Extent screen);

}  // namespace marvo
