#include "shell/options.h"

#include <string>

#include "shell/profile.h"

namespace marvo {

namespace {

bool ReadSwitch(const Profile& profile, std::string_view key) {
  return profile.Get(kOptionsSection, key, "0") == "1";
}

}  // namespace

Options ReadOptions(const Profile& profile) {
  Options options;
  options.remembered = profile.HasSection(kOptionsSection);
  options.pause_on_focus_loss = ReadSwitch(profile, "PauseOnFocusLoss");
  options.one_button_start = ReadSwitch(profile, "OneButtonStart");
  options.held_key_turns_once = ReadSwitch(profile, "HeldKeyTurnsOnce");
  options.show_best_run = ReadSwitch(profile, "ShowBestRun");
  const std::string speed = profile.Get(kOptionsSection, "Speed", "100");
  for (Speed choice : kSpeeds)
    if (speed == std::to_string(Percent(choice))) options.speed = choice;
  return options;
}

bool WriteOptions(const Options& options, Profile& profile) {
  if (!options.remembered) return true;
  bool ok = true;
  const auto set = [&](std::string_view key, const std::string& value) {
    ok = profile.Set(kOptionsSection, key, value) && ok;
  };
  set("PauseOnFocusLoss", options.pause_on_focus_loss ? "1" : "0");
  set("OneButtonStart", options.one_button_start ? "1" : "0");
  set("HeldKeyTurnsOnce", options.held_key_turns_once ? "1" : "0");
  set("Speed", std::to_string(Percent(options.speed)));
  set("ShowBestRun", options.show_best_run ? "1" : "0");
  return ok;
}

}  // namespace marvo
