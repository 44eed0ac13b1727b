#include "shell/app.h"

#include <utility>

#include "engine/movement.h"
#include "flow/status.h"
#include "resources/pictures.h"

namespace marvo {

namespace {

// Until the game's hit rules are in, a run ends when the head leaves the
// inside window of the field.
class LeaveFieldStop final : public HitResolver {
 public:
  explicit LeaveFieldStop(GameRecord& record) : record_(record) {}
  void ResolveHit() override {
    const GameRecord& r = record_;
    if (r.HeadX <= kBorderLeft || r.HeadX >= kBorderRight || r.HeadY <= kBorderTop ||
        r.HeadY >= kBorderBottom - 1) {
      record_.StopFlag = 1;
    }
  }

 private:
  GameRecord& record_;
};

void DrawFieldBorder(Surface& field) {
  field.Box(kBorderLeft, kBorderTop, kBorderRight, kBorderBottom, kWhite);
}

}  // namespace

App::App(Platform& platform, const TextRasterizer& text, Desktop& desktop, WaveMixer& mixer,
         std::string program_dir)
    : platform_(platform),
      desktop_(desktop),
      program_dir_(std::move(program_dir)),
      sound_(mixer, program_dir_) {
  form.picSTAGE.surface.SetTextRasterizer(&text);
}

void App::Form_Load() {
  // Still to come, in their places in this sequence: seeding the random
  // generator, the sound module, the settings file and the wave files before the
  // hall of fame; the link list after it.
  RefreshHallOfFame(record, form);
  // The second title picture and the banner sheet with its mask wait in the
  // hidden holders; the field shows the title.
  form.picCG1.surface.AssignPicture(LoadPicture(111));
  form.picCG2.surface.AssignPicture(LoadPicture(120));
  form.picCG3.surface.AssignPicture(LoadPicture(121));
  form.picCG4.surface.AssignPicture(nullptr);
  form.picSTAGE.surface.AssignPicture(LoadPicture(110));
  DrawFieldBorder(form.picSTAGE.surface);
  record.StoreStartUpValues();
  // Before the first game the score read-out shows the best score.
  form.lblSC.caption = FormatScore(record.HiScore[1]);
}

void App::Form_Unload(int16_t& /*Cancel*/) {
  // Writing the settings and closing the sound module come first, once they exist.
  desktop_.EndProcess();
}

void App::Form_KeyDown(int16_t& KeyCode, int16_t& /*Shift*/) {
  if (KeyCode == 13 && record.GameRunning == 0) StartGame();
}

void App::picSTAGE_KeyDown(int16_t& /*KeyCode*/, int16_t& /*Shift*/) {
  // Space turns the head: arrives with the turn control.
}

void App::DemoTimer_Timer() {
  // The title pictures, the hall of fame and the link captions alternate here:
  // arrives with the title screen.
}

void App::MMG_Start_Click() {
  if (record.GameRunning == 0) StartGame();
}

void App::MMG_End_Click() { desktop_.CloseMainWindow(); }

void App::MMG_BGMU_Click() {
  form.MMG_BGMU.checked = true;
  form.MMG_BGMN.checked = false;
}

void App::MMG_BGMN_Click() {
  form.MMG_BGMU.checked = false;
  form.MMG_BGMN.checked = true;
}

void App::MMG_BGMT1_Click() {
  record.BgmTrack = 1;
  form.MMG_BGMT1.checked = true;
  form.MMG_BGMT2.checked = false;
}

void App::MMG_BGMT2_Click() {
  record.BgmTrack = 2;
  form.MMG_BGMT1.checked = false;
  form.MMG_BGMT2.checked = true;
}

void App::MMH_Help_Click() {
  // Shows the help file: arrives with the desktop's help viewer.
}

void App::MMH_Web_Click() {
  // Opens the support page: arrives with the desktop's browser hand-over.
}

void App::MMH_About_Click() {
  // Disables this window and opens the About window: arrives with that window.
}

void App::lblBgmName_Click() {
  // Opens the link the strip shows: arrives with the link list.
}

void App::StartGame() {
  // The interim game start, until the real one arrives with the stages: the head
  // runs from (2, 2) down and right over a bare field until it leaves it.
  Surface& field = form.picSTAGE.surface;
  field.AssignPicture(nullptr);
  DrawFieldBorder(field);
  record.ResetToIdle();
  record.GameRunning = 1;  // a second start during the run does nothing
  record.StopFlag = 0;
  LeaveFieldStop stop(record);
  MoveHead(record, field, platform_, stop);
  record.ResetToIdle();
}

}  // namespace marvo
