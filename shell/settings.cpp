#include "shell/settings.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>

#include "shell/file_io.h"
#include "shell/profile.h"

namespace marvo {

namespace {

constexpr std::string_view kSection = "MARVOSTEL";
constexpr const char* kHiScoreKeys[6] = {nullptr,    "HISCORE1", "HISCORE2",
                                         "HISCORE3", "HISCORE4", "HISCORE5"};
constexpr const char* kHiScoreDefaults[6] = {nullptr, "10000", "05000", "04000", "03000", "02000"};

// A decimal integer with an optional sign and any leading zeros, within the
// 32-bit signed range; nothing else.
std::optional<int32_t> ParseInt32(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  const int64_t limit = negative ? -int64_t{std::numeric_limits<int32_t>::min()}
                                 : int64_t{std::numeric_limits<int32_t>::max()};
  int64_t magnitude = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > limit) return std::nullopt;
  }
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

// A key's value as a number; a value that is no number counts as the key's
// default, so a damaged file still starts the game.
int32_t ReadNumber(const Profile& profile, std::string_view key, std::string_view fallback) {
  if (auto value = ParseInt32(profile.Get(kSection, key, fallback))) return *value;
  return ParseInt32(fallback).value_or(0);
}

// The player's own file; while they have none, the one the game starts them
// from. Only the player's own file can make the read fail.
FileRead ReadSettingsText(const GameFiles& files, std::string& text) {
  const FileRead read = ReadTextFile(files.settings, text);
  if (read != FileRead::kMissing || files.starting_settings.empty()) return read;
  return ReadTextFile(files.starting_settings, text) == FileRead::kOk ? FileRead::kOk
                                                                      : FileRead::kMissing;
}

}  // namespace

void ReadSettings(GameRecord& record, MainFormModel& form, const GameFiles& files,
                  DisplayChoice* display, Options* options) {
  const bool track1 = FileExists(files.Find("bgm1.wav"));
  const bool track2 = FileExists(files.Find("bgm3.wav"));

  std::string text;
  const Profile profile =
      ReadSettingsText(files, text) == FileRead::kOk ? Profile::Parse(text) : Profile();

  // With no music at all the switch stays off, whatever the file says.
  const int32_t bgm = ReadNumber(profile, "BGM", "0");
  const bool music_on = (track1 || track2) && bgm == 0;
  form.MMS_BGM.enabled = track1 || track2;
  form.MMG_BGMU.checked = music_on;
  form.MMG_BGMN.checked = !music_on;

  // A missing track file forces the other track.
  record.BgmTrack = ReadNumber(profile, "BGM_TYPE", "1");
  if (!track1) record.BgmTrack = track2 ? 2 : 1;
  if (track1 && !track2) record.BgmTrack = 1;
  form.MMS_BGM2.enabled = track1 || track2;
  form.MMG_BGMT1.enabled = track1 || !track2;
  form.MMG_BGMT2.enabled = track2 || !track1;
  form.MMG_BGMT1.checked = track1 && record.BgmTrack == 1;
  form.MMG_BGMT2.checked = track2 && record.BgmTrack != 1;

  // The scores are used as read, in whatever order the file has them.
  for (int i = 1; i <= 5; ++i) {
    record.HiScore[i] = ReadNumber(profile, kHiScoreKeys[i], kHiScoreDefaults[i]);
  }
  if (display) *display = ReadDisplayChoice(profile);
  if (options) *options = ReadOptions(profile);
}

bool WriteSettings(const GameRecord& record, const MainFormModel& form, const GameFiles& files,
                   std::string& reason, const DisplayChoice& display, const Options& options) {
  const std::string& path = files.settings;
  std::string old_text;
  // The first save to the player's own file keeps what the starting file held.
  const FileRead read = ReadSettingsText(files, old_text);
  if (read == FileRead::kFailed) {
    reason = "not a readable settings file, left as it is";
    return false;
  }
  Profile profile = Profile::Parse(read == FileRead::kOk ? old_text : std::string());

  bool ok = profile.Set(kSection, "BGM", form.MMG_BGMU.checked ? "0" : "1");
  ok = profile.Set(kSection, "BGM_TYPE", record.BgmTrack == 1 ? "1" : "2") && ok;
  for (int i = 1; i <= 5; ++i) {
    ok = profile.Set(kSection, kHiScoreKeys[i], std::to_string(record.HiScore[i])) && ok;
  }
  ok = WriteDisplayChoice(display, profile) && ok;
  ok = WriteOptions(options, profile) && ok;
  if (!ok) {
    reason = "a value could not be stored";
    return false;
  }
  const std::size_t slash = path.rfind('/');
  if ((slash != 0 && slash != path.npos && !MakeFolders(path.substr(0, slash))) ||
      !ReplaceFileAtomically(path, profile.Text())) {
    reason = std::strerror(errno);
    return false;
  }
  return true;
}

void ReportSaveFailure(const std::string& path, const std::string& reason) {
  std::fprintf(stderr, "settings not saved to %s: %s\n", path.c_str(), reason.c_str());
}

}  // namespace marvo
