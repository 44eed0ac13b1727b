#include "shell/app.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <utility>

#include "engine/sound_slots.h"
#include "flow/status.h"
#include "generated/game_files.h"
#include "shell/commands.h"
#include "shell/file_io.h"
#include "shell/replay_store.h"
#include "shell/settings.h"
#include "shell/title.h"
#include "ui/keys.h"

namespace marvo {

namespace {

bool IsPauseKey(int16_t code) {
  return code == kKeyPause || code == kKeyEscape || code == kKeyP || code == kKeyPadStart;
}

// The keys that end a run being watched: Enter, Escape, Space (a click on the
// field and a pad's face or shoulder buttons arrive as Space) and F2.
bool StopsWatching(int16_t key) {
  return key == kKeyEnter || key == kKeyEscape || key == kKeySpace || key == kKeyF2;
}
}  // namespace

App::App(Platform& platform, const TextRasterizer& text, Desktop& desktop, WaveMixer& mixer,
         const std::string& program_dir, const FileSearch& search)
    : desktop_(desktop),
      files_(LocateGameFiles(program_dir, search)),
      sound_(mixer),
      flow_(record, form, platform, sound_) {
  form.picSTAGE.surface.SetTextRasterizer(&text);
  flow_.on_finished = [this](const Run& run) { GameFinished(run); };
  // The sound opens with the first game or run watched, not at start-up: the
  // title plays none, and the mixer's libraries, the device and the decoded
  // effects would only weigh on it. Without a device the game says so then.
  flow_.before_first_game = [this] {
    sound_.OpenSound();
    LoadWaveFiles(record, sound_, files_.FolderOf(kWaveTrack1Music));
  };
}

void App::Form_Load() {
  // The stage builder seeds its random numbers from the clock before every
  // layout, so there is nothing to seed here.
  // The settings come before the hall of fame and the score read-out show them.
  ReadSettings(record, form, files_, &display, &options);
  ShowOptions();
  FillLinkList(record);
  LoadWindowPictures(form);
  record.StoreStartUpValues();
  // Before the first game the score read-out shows the best score.
  ShowChosenTable();
  RefreshWatchItem();
}

std::string App::Save(SaveScope scope) {
  std::string reason;
  if (SaveSettings(scope, record, form, files_, pending_, reason, display, options)) return {};
  ReportSaveFailure(files_.settings, reason);
  return reason.empty() ? "unknown reason" : reason;
}

void App::GameFinished(const Run& run) {
  pending_.push_back({run.final_score, run.speed});
  // The strip is the only word a player who started from the desktop sees; it
  // goes back to its rotation at the title. The score is tried again later.
  const std::string failure = Save(SaveScope::kHallOfFame);
  if (!failure.empty()) form.lblBgmName.caption = "HALL OF FAME NOT SAVED : " + failure;
  std::string reason;
  if (!KeepRun(files_.replays, run, reason))
    std::fprintf(stderr, "replay not kept: %s\n", reason.c_str());
}

void App::SaveChoices() {
  Save(SaveScope::kEverything);
  // The tables as merged with the file: other copies' scores show from now on.
  ShowChosenTable();
}

void App::ShowChosenTable() { marvo::ShowChosenTable(record, form); }

void App::Form_Unload(int16_t& /*Cancel*/) {
  // Whatever state the game is in: the hall of fame holds only finished games.
  // A failed write is reported; the old file stays whole.
  // A window that only shows a replay changes nothing; a run being watched
  // leaves the player's own speed chosen.
  record.speed = flow_.player_speed();
  if (!watch_only) Save(SaveScope::kEverything);
  if (screensaver_held_) desktop_.HoldScreenSaver(false);
  sound_.CloseSound();
  desktop_.EndProcess();
}

bool App::KeyWhileWatching(int16_t key) {
  idle_ticks_ = 0;
  if (!flow_.watching()) return false;
  // The attract screen's run stops at any key.
  if (attract_ || StopsWatching(key))
    flow_.StopWatching();
  else if (IsPauseKey(key))
    TogglePause();
  return true;
}

void App::Form_KeyDown(int16_t& KeyCode, int16_t& /*Shift*/) {
  if (KeyWhileWatching(KeyCode)) return;
  if (record.GameRunning != 0) {
    if (IsPauseKey(KeyCode)) TogglePause();
    return;
  }
  if (KeyCode == kKeyEnter || KeyCode == kKeyPadStart ||
      (KeyCode == kKeySpace && options.one_button_start)) {
    StartGame();
  }
}

void App::picSTAGE_KeyDown(int16_t& KeyCode, int16_t& Shift) {
  if (KeyWhileWatching(KeyCode)) return;
  if (IsPauseKey(KeyCode)) return TogglePause();
  // A disabled field takes no keys: between stages and after a crash.
  if (form.picSTAGE.enabled) flow_.Turn(KeyCode, Shift);
}

// A held pause key would pause and resume over and over: only its first press
// counts, whatever the options.
void App::Form_KeyRepeat(int16_t& KeyCode, int16_t& Shift) {
  if (!options.held_key_turns_once && !IsPauseKey(KeyCode)) Form_KeyDown(KeyCode, Shift);
}

void App::picSTAGE_KeyRepeat(int16_t& KeyCode, int16_t& Shift) {
  if (!options.held_key_turns_once && !IsPauseKey(KeyCode)) picSTAGE_KeyDown(KeyCode, Shift);
}

void App::Form_Deactivate() {
  if (options.pause_on_focus_loss && !flow_.Paused()) TogglePause();
}

void App::MMG_Pause_Click() { TogglePause(); }

void App::StartGame() {
  if (record.GameRunning != 0) return;
  if (!screensaver_held_) desktop_.HoldScreenSaver(screensaver_held_ = true);
  flow_.StartGame();
  FollowScreenSaver();
  RefreshWatchItem();
}

void App::TogglePause() {
  flow_.TogglePause();
  FollowScreenSaver();
}

void App::FollowScreenSaver() {
  const bool in_play = record.GameRunning != 0 && !flow_.Paused();
  if (in_play != screensaver_held_) desktop_.HoldScreenSaver(screensaver_held_ = in_play);
}

void App::ShowOptions() {
  record.speed = options.speed;
  form.MMS_OneButton.checked = options.one_button_start;
  form.MMS_HeldOnce.checked = options.held_key_turns_once;
  form.MMS_FocusPause.checked = options.pause_on_focus_loss;
  form.MMS_BestRun.checked = options.show_best_run;
  form.MMP_100.checked = options.speed == Speed::k100;
  form.MMP_75.checked = options.speed == Speed::k75;
  form.MMP_50.checked = options.speed == Speed::k50;
  ShowSpeedNote(options.speed, form);
}

void App::ToggleOption(bool Options::*option) {
  if (record.GameRunning != 0) return;
  options.*option = !(options.*option);
  OptionChanged();
}

void App::OptionChanged() {
  options.remembered = true;
  ShowOptions();
  // The hall of fame and the best score shown are those of the chosen speed.
  ShowChosenTable();
  SaveChoices();
}

void App::MMS_OneButton_Click() { ToggleOption(&Options::one_button_start); }

void App::MMS_HeldOnce_Click() { ToggleOption(&Options::held_key_turns_once); }

void App::MMS_FocusPause_Click() { ToggleOption(&Options::pause_on_focus_loss); }

void App::MMS_BestRun_Click() { ToggleOption(&Options::show_best_run); }

void App::MMP_Speed_Click(int percent) {
  const std::optional<Speed> speed = SpeedFromPercent(percent);
  if (record.GameRunning != 0 || !speed) return;
  options.speed = *speed;
  OptionChanged();
}

void App::DemoTimer_Timer() {
  DemoTick(record, form);
  // The title's timer ticks every ten seconds: six make the minute.
  if (!options.show_best_run || !form.MMG_Watch.enabled || ++idle_ticks_ < 6) return;
  idle_ticks_ = 0;
  attract_ = true;
  WatchBestRun();
  attract_ = false;
}

void App::MMG_Start_Click() { StartGame(); }

void App::MMG_Watch_Click() {
  if (record.GameRunning == 0) WatchBestRun();
}

void App::WatchBestRun() {
  const std::string path = files_.replays + "/" + BestRunFile(record.speed);
  const ReplayRead read = LoadReplay(path);
  if (read.run)
    WatchRun(*read.run);
  else
    std::fprintf(stderr, "%s: %s\n", path.c_str(), read.reason.c_str());
  RefreshWatchItem();
}

void App::WatchRun(const Run& run) {
  if (record.GameRunning != 0) return;
  flow_.WatchRun(run);
  FollowScreenSaver();
  RefreshWatchItem();
}

void App::RefreshWatchItem() {
  form.MMG_Watch.enabled =
      record.GameRunning == 0 && FileExists(files_.replays + "/" + BestRunFile(record.speed));
}

void App::MMG_End_Click() { desktop_.CloseMainWindow(); }

void App::MMG_BGMU_Click() {
  form.MMG_BGMU.checked = true;
  form.MMG_BGMN.checked = false;
  SaveChoices();
}

void App::MMG_BGMN_Click() {
  form.MMG_BGMU.checked = false;
  form.MMG_BGMN.checked = true;
  SaveChoices();
}

void App::MMG_BGMT1_Click() {
  record.BgmTrack = 1;
  form.MMG_BGMT1.checked = true;
  form.MMG_BGMT2.checked = false;
  SaveChoices();
}

void App::MMG_BGMT2_Click() {
  record.BgmTrack = 2;
  form.MMG_BGMT1.checked = false;
  form.MMG_BGMT2.checked = true;
  SaveChoices();
}

void App::MMH_Help_Click() { ShowHelpFile(desktop_, files_, menu_language); }

void App::MMH_Web_Click() { OpenSupportPage(desktop_); }

void App::MMH_About_Click() { about_.Open(); }

void App::lblBgmName_Click() {
  idle_ticks_ = 0;
  if (attract_) return flow_.StopWatching();
  OpenShownLink(record, desktop_);
}

}  // namespace marvo
