#pragma once

#include <string_view>

#include "engine/speed.h"

namespace marvo {

class Profile;

// The player's options from the Settings menu: they make the game easier to
// play with one switch or unsteady hands, and slower. Off (and full speed)
// unless the player chose otherwise. Kept in the settings file's own section.
struct Options {
  bool pause_on_focus_loss = false;
  bool one_button_start = false;
  bool held_key_turns_once = false;
  Speed speed = Speed::k100;
  // The attract screen plays the best run after a minute at the title.
  bool show_best_run = false;
  // The section is written only once the player has changed an option or when
  // it was in the file already, so a player who never touches them keeps the
  // file as it always was, byte for byte.
  bool remembered = false;

  bool operator==(const Options&) const = default;
};

inline constexpr std::string_view kOptionsSection = "Options";

// Reads [Options]. A switch is on only as "1"; a speed other than 100, 75 or
// 50 counts as 100: a damaged value never makes the game harder than designed.
Options ReadOptions(const Profile& profile);
// Puts the options into [Options] when they are to be remembered; otherwise
// leaves the profile untouched. False when a key could not be stored.
bool WriteOptions(const Options& options, Profile& profile);

}  // namespace marvo
