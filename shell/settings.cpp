#include "shell/settings.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>

#include "flow/hall_of_fame.h"
#include "generated/game_files.h"
#include "shell/file_io.h"
#include "shell/profile.h"

namespace marvo {

namespace {

constexpr std::string_view kSection = "MARVOSTEL";
using Table = HallOfFame;
constexpr const char* kHiScoreKeys[kHallOfFamePlaces + 1] = {nullptr,    "HISCORE1", "HISCORE2",
                                                             "HISCORE3", "HISCORE4", "HISCORE5"};
constexpr const char* kHiScoreDefaults[kHallOfFamePlaces + 1] = {nullptr, "10000", "05000",
                                                                 "04000", "03000", "02000"};

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
int32_t ReadNumber(const Profile& profile, std::string_view key, std::string_view fallback,
                   std::string_view section = kSection) {
  if (auto value = ParseInt32(profile.Get(section, key, fallback))) return *value;
  return ParseInt32(fallback).value_or(0);
}

// The section holding a speed's hall of fame: [MARVOSTEL] for full speed, beside the music keys.
std::string TableSection(Speed speed) {
  return speed == Speed::k100 ? std::string(kSection) : "Speed" + std::to_string(Percent(speed));
}

// A table as the file has it, in the file's order; a missing table or entry
// starts from the defaults.
Table ReadTable(const Profile& profile, Speed speed) {
  Table table{};
  for (int i = 1; i <= kHallOfFamePlaces; ++i)
    table[size_t(i)] =
        ReadNumber(profile, kHiScoreKeys[i], kHiScoreDefaults[i], TableSection(speed));
  return table;
}

bool WriteTable(const Table& table, Speed speed, Profile& profile) {
  bool ok = true;
  for (int i = 1; i <= kHallOfFamePlaces; ++i)
    ok = profile.Set(TableSection(speed), kHiScoreKeys[i], std::to_string(table[size_t(i)])) && ok;
  return ok;
}

// The text of a settings file, converted from the way it is stored.
FileRead ReadSettingsFile(const std::string& path, std::string& text, TextEncoding& encoding,
                          std::string& reason) {
  std::string bytes;
  const FileRead read = ReadFileChecked(path, kMaxTextFileSize, bytes, reason);
  if (read != FileRead::kOk) return read;
  return DecodeText(bytes, text, encoding, reason) ? FileRead::kOk : FileRead::kFailed;
}

// The player's own file; while they have none, the one the game starts them
// from (then `own` is false). Only the player's own file can make the read
// fail, and `reason` then says why.
FileRead ReadSettingsText(const GameFiles& files, std::string& text, TextEncoding& encoding,
                          std::string& reason, bool* own = nullptr) {
  const FileRead read = ReadSettingsFile(files.settings, text, encoding, reason);
  if (own) *own = read == FileRead::kOk;
  if (read != FileRead::kMissing || files.starting_settings.empty()) return read;
  std::string ignored;
  return ReadSettingsFile(files.starting_settings, text, encoding, ignored) == FileRead::kOk
             ? FileRead::kOk
             : FileRead::kMissing;
}

// The folder the file finally lands in, so that every copy locks the same one
// whichever link it reaches the file through.
std::string FinalFolder(const std::string& path) {
  std::string target = FollowLinks(path);
  if (target.empty()) target = path;
  const std::size_t slash = target.rfind('/');
  return slash == target.npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
}

}  // namespace

void ReadSettings(GameRecord& record, MainFormModel& form, const GameFiles& files,
                  DisplayChoice* display, Options* options) {
  const bool track1 = FileExists(files.Find(kWaveTrack1Music));
  const bool track2 = FileExists(files.Find(kWaveTrack2Music));

  std::string text, reason;
  TextEncoding encoding = TextEncoding::kBytes;
  const FileRead read = ReadSettingsText(files, text, encoding, reason);
  // The game starts on the defaults, and the file stays as it is.
  if (read == FileRead::kFailed) SayNotUsed(files.settings, reason);
  const Profile profile = read == FileRead::kOk ? Profile::Parse(text) : Profile();

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
  for (Speed speed : kSpeeds) record.Table(speed) = ReadTable(profile, speed);
  if (display) *display = ReadDisplayChoice(profile);
  if (options) *options = ReadOptions(profile);
}

bool SaveSettings(SaveScope scope, GameRecord& record, const MainFormModel& form,
                  const GameFiles& files, std::vector<FinishedGame>& pending, std::string& reason,
                  const DisplayChoice& display, const Options& options) {
  const std::string& path = files.settings;
  const std::size_t slash = path.rfind('/');
  if (slash != 0 && slash != path.npos && !MakeFolders(path.substr(0, slash))) {
    reason = std::strerror(errno);
    return false;
  }
  // Read, merge and replace under one lock, so that two copies' saves never
  // interleave; without it the save still goes ahead, as one atomic write.
  const std::string folder = FinalFolder(path);
  const FolderLock lock(folder);
  if (!lock.Held()) {
    std::fprintf(stderr, "settings saved to %s without locking %s: %s\n", path.c_str(),
                 folder.c_str(), lock.Failure().c_str());
  }

  std::string old_text, why;
  bool own = false;
  // The first save to the player's own file keeps what the starting file held,
  // and the way it was stored.
  TextEncoding encoding = TextEncoding::kBytes;
  const FileRead read = ReadSettingsText(files, old_text, encoding, why, &own);
  if (read == FileRead::kFailed) {
    reason = "not a readable settings file (" + why + "), left as it is";
    return false;
  }
  Profile profile = Profile::Parse(read == FileRead::kOk ? old_text : std::string());

  // The scores this copy finished since its last save join the tables on disk,
  // as they stand there now: other copies' scores and the player's edits stay.
  std::array<bool, kSpeeds.size()> entered{};
  for (std::size_t s = 0; s < kSpeeds.size(); ++s) {
    const Table on_disk = ReadTable(profile, kSpeeds[s]);
    Table& table = record.Table(kSpeeds[s]);
    table = on_disk;
    for (const FinishedGame& game : pending)
      if (game.speed == kSpeeds[s]) EnterHighScore(table, game.score);
    entered[s] = table != on_disk;
  }
  const bool everything = scope == SaveScope::kEverything;
  const bool changed = std::find(entered.begin(), entered.end(), true) != entered.end();
  bool ok = true;
  if (everything || changed) {
    // The main section's seven keys in their order, so that a file first written at
    // a game's end ends as an exit alone would have left it. At a game's end
    // the music keys keep the file's values, or take the ones a missing key
    // reads as.
    const std::string bgm = form.MMG_BGMU.checked ? "0" : "1";
    const std::string track = record.BgmTrack == 1 ? "1" : "2";
    for (auto [key, value] : {std::pair("BGM", bgm), std::pair("BGM_TYPE", track)}) {
      if (everything)
        ok = profile.Set(kSection, key, value) && ok;
      else if (!profile.Has(kSection, key))
        ok = profile.Set(kSection, key, key == std::string_view("BGM") ? "0" : "1") && ok;
    }
    ok = WriteTable(record.HiScore, Speed::k100, profile) && ok;
  }
  // A slower speed's table is written only once a score has entered it.
  for (std::size_t s = 1; s < kSpeeds.size(); ++s)
    if (entered[s]) ok = WriteTable(record.Table(kSpeeds[s]), kSpeeds[s], profile) && ok;
  if (everything) ok = WriteDisplayChoice(display, profile) && ok;
  if (everything) ok = WriteOptions(options, profile) && ok;
  if (!ok) {
    reason = "a value could not be stored";
    return false;
  }
  // Nothing new: the file stays untouched.
  const std::string text = profile.Text();
  const bool write = (everything || changed) && !(own && text == old_text);
  std::string bytes;
  if (write && !EncodeText(text, encoding, bytes)) {
    reason = "the text has no exact UTF-16 form";
    return false;
  }
  if (write && !ReplaceFileAtomically(path, bytes)) {
    reason = std::strerror(errno);
    return false;
  }
  // In the file now: never entered again.
  pending.clear();
  return true;
}

void ReportSaveFailure(const std::string& path, const std::string& reason) {
  std::fprintf(stderr, "settings not saved to %s: %s\n", path.c_str(), reason.c_str());
}

}  // namespace marvo
