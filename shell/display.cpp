#include "shell/display.h"

#include <algorithm>
#include <string>

#include "shell/profile.h"

namespace marvo {

namespace {

// Beyond any screen there is: a bigger number in the file is a typing slip.
constexpr int kMaxStoredZoom = 64;

}  // namespace

void DisplayChoice::Choose(int new_zoom, bool new_full_screen) {
  zoom = new_zoom;
  full_screen = new_full_screen;
  remembered = true;
}

DisplayChoice ReadDisplayChoice(const Profile& profile) {
  DisplayChoice choice;
  choice.remembered = profile.HasSection(kDisplaySection);
  const std::string zoom = profile.Get(kDisplaySection, "Zoom", "1");
  if (!zoom.empty() && zoom.size() <= 2 &&
      std::all_of(zoom.begin(), zoom.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    choice.zoom = std::clamp(std::stoi(zoom), 1, kMaxStoredZoom);
  }
  choice.full_screen = profile.Get(kDisplaySection, "FullScreen", "0") == "1";
  return choice;
}

bool WriteDisplayChoice(const DisplayChoice& choice, Profile& profile) {
  if (!choice.remembered) return true;
  const bool zoom = profile.Set(kDisplaySection, "Zoom", std::to_string(choice.zoom));
  return profile.Set(kDisplaySection, "FullScreen", choice.full_screen ? "1" : "0") && zoom;
}

int LargestZoom(Extent window, Extent border, Extent area) {
  if (window.width <= 0 || window.height <= 0) return 1;
  const int across = (area.width - border.width) / window.width;
  const int down = (area.height - border.height) / window.height;
  return std::max(1, std::min(across, down));
}

int StepZoom(int zoom, int step, int largest) {
  return std::clamp(zoom + step, 1, std::max(1, largest));
}

ScreenPlacement PlaceOnScreen(Extent window, Extent screen) {
  ScreenPlacement place;
  place.zoom = LargestZoom(window, {}, screen);
  place.x = std::max(0, (screen.width - window.width * place.zoom) / 2);
  place.y = std::max(0, (screen.height - window.height * place.zoom) / 2);
  return place;
}

}  // namespace marvo
