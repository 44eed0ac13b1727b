#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/game_record.h"
#include "flow/game_flow.h"
#include "shell/about.h"
#include "shell/desktop.h"
#include "shell/display.h"
#include "shell/language.h"
#include "shell/options.h"
#include "shell/paths.h"
#include "shell/settings.h"
#include "sound/wavemix.h"
#include "ui/form.h"
#include "ui/platform.h"
#include "ui/text.h"

namespace marvo {

// The game behind the main window: it owns the game record and the window's
// model and handles every event the window routes to it. It reaches the outside
// world only through the collaborators it is given, so it runs headless in tests.
class App final : public MainFormEvents {
 public:
  // `mixer` sounds the game's waves; `program_dir` is the directory of the
  // executable (no trailing separator), where the game looks for its files
  // first; `search` says where it looks next and where the settings go.
  App(Platform& platform, const TextRasterizer& text, Desktop& desktop, WaveMixer& mixer,
      const std::string& program_dir, const FileSearch& search = FileSearch::ForThisProcess());

  GameRecord record;
  MainFormModel form;
  // The window's zoom and full screen: read with the settings, changed by the
  // window, written with the settings.
  DisplayChoice display;
  // The player's options: read and written with the settings, changed between games.
  Options options;
  // The menus' language, set by the window once it has installed its texts:
  // the help is shown in it.
  MenuLanguage menu_language = MenuLanguage::kJapanese;
  // Where the game's files were found at start-up; the window reads its texts from there.
  const GameFiles& files() const { return files_; }

  void Form_Load() override;
  void Form_Unload(int16_t& Cancel) override;
  void Form_KeyDown(int16_t& KeyCode, int16_t& Shift) override;
  void picSTAGE_KeyDown(int16_t& KeyCode, int16_t& Shift) override;
  void DemoTimer_Timer() override;
  void MMG_Start_Click() override;
  void MMG_Watch_Click() override;
  void MMG_End_Click() override;
  void MMG_BGMU_Click() override;
  void MMG_BGMN_Click() override;
  void MMG_BGMT1_Click() override;
  void MMG_BGMT2_Click() override;
  void MMH_Help_Click() override;
  void MMH_Web_Click() override;
  void MMH_About_Click() override;
  void lblBgmName_Click() override;
  void Form_KeyRepeat(int16_t& KeyCode, int16_t& Shift) override;
  void picSTAGE_KeyRepeat(int16_t& KeyCode, int16_t& Shift) override;
  void Form_Deactivate() override;
  void MMG_Pause_Click() override;
  void MMS_OneButton_Click() override;
  void MMS_HeldOnce_Click() override;
  void MMS_FocusPause_Click() override;
  // "Show the best run between games": after a minute at the title without a
  // key or click, the best run of the chosen speed plays, and any key stops it.
  void MMS_BestRun_Click() override;
  void MMP_Speed_Click(int percent) override;

  bool Paused() const { return flow_.Paused(); }

  // Saves the settings now, the player's choices with them. Called whenever the
  // player changes the music, the display or an option, so that a choice
  // outlasts a display that goes away or a session that is killed.
  void SaveChoices();
  // After the speed changed: the hall of fame and best score of its table.
  void ShowChosenTable();

  // Plays `run` in the window at its own speed and returns at the title. Enter,
  // Escape, F2, Space and a click on the field stop it and do nothing else.
  void WatchRun(const Run& run);
  // A window that only shows a replay: it keeps no run and writes no settings.
  bool watch_only = false;

 private:
  void StartGame();
  // Pauses or resumes a running game; the screensaver follows.
  void TogglePause();
  // The screensaver is held off while a game is in play and not paused.
  void FollowScreenSaver();
  // The options shown in the Settings menu and in force in the game.
  void ShowOptions();
  // The player changed an option: from now on it is written with the settings.
  // The check items of the options: flipped between games only.
  void ToggleOption(bool Options::*option);
  void OptionChanged();
  // The watch command is there at the title while the chosen speed has a best run.
  void RefreshWatchItem();
  // The best run of the chosen speed, played for the viewer or for the
  // attract screen.
  void WatchBestRun();
  // A key while a run plays only stops it, or does nothing: true then. Any
  // key also counts as the player's presence at the title.
  bool KeyWhileWatching(int16_t key);
  // Title ticks since the last key or click, and whether the run playing is
  // the attract screen's.
  int idle_ticks_ = 0;
  bool attract_ = false;
  // A finished game's score is kept at once, during the closing pause.
  void GameFinished(const Run& run);
  // Saves, says on stderr when that failed and returns the reason (empty on success).
  std::string Save(SaveScope scope);

  Desktop& desktop_;
  GameFiles files_;
  Wavemix sound_;
  GameFlow flow_;
  bool screensaver_held_ = false;
  // Finished games whose scores are not in the settings file yet.
  std::vector<FinishedGame> pending_;
  // Last, so an About window still open goes before everything it points at.
  AboutWindowSlot about_{desktop_, form};
};

}  // namespace marvo
