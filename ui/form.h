#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "generated/version.h"
#include "ui/color.h"
#include "ui/surface.h"
#include "ui/text.h"

namespace marvo {

// What the strip under the field shows when the window opens.
inline constexpr const char* kTitleCaption = "MARVOSTEL Version " MARVO_VERSION;

// The desktop's button-face colour, as a system colour: the view resolves it to
// the desktop scheme's own (light grey in the standard one).
inline constexpr Color kButtonFace = 0x8000000F;

// Pixels in the window's client area, or in the play field for the labels that
// lie over it.
using Rect = PixelRect;

enum class Alignment { kLeft, kRight, kCenter };

// A line of text with a transparent background.
struct Label {
  std::string name;
  Rect rect;
  std::string caption;
  Color fore_color = kBlack;
  FontSpec font;
  Alignment alignment = Alignment::kLeft;
  bool visible = true;
  bool operator==(const Label&) const = default;
};

// A label as the windows' layouts declare it.
Label MakeLabel(std::string name, Rect rect, std::string caption, Color color, FontSpec font,
                Alignment alignment = Alignment::kCenter, bool visible = true);

// One entry of the menu bar: a top menu, a submenu heading, a command or a
// separator. A top menu or submenu lists its entries in `children`.
struct MenuItem {
  std::string name;
  std::string caption;   // "&" marks the access key
  std::string shortcut;  // a key name such as "F2", or empty
  // The shortcut is a key of the whole window and only shown here: a menu
  // disabled during a game would otherwise swallow it.
  bool shortcut_shown_only = false;
  bool separator = false;
  bool checked = false;
  bool enabled = true;
  bool visible = true;
  std::vector<MenuItem*> children;
};

// A picture box: a drawing surface with a place on the window.
struct PictureBox {
  PictureBox(std::string name, Rect rect, Surface::Sizing sizing, bool visible);

  std::string name;
  Rect rect;
  Surface surface;
  bool enabled = true;
  bool visible = true;
};

// A one-pixel line between two points, both ends drawn.
struct Line {
  std::string name;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  Color color = kWhite;
  bool visible = true;
  bool operator==(const Line&) const = default;
};

// A one-pixel rectangle outline; the rectangle's width and height include it.
struct Shape {
  std::string name;
  Rect rect;
  Color border_color = kWhite;
  bool visible = true;
  bool operator==(const Shape&) const = default;
};

// Fires its handler every interval_ms while enabled; enabling it (or changing
// its interval) starts the count afresh.
struct Timer {
  std::string name;
  int interval_ms = 0;
  bool enabled = false;
};

// The main window as the game sees it: every control under its own name, with
// the values it has when the window first opens. The game changes captions,
// visibility, colours, check marks and enabled states here; the window on the
// screen mirrors them. Controls refer to one another, so the model stays put.
class MainFormModel {
 public:
  MainFormModel();
  MainFormModel(const MainFormModel&) = delete;
  MainFormModel& operator=(const MainFormModel&) = delete;

  std::string caption = "MARVOSTEL";
  int client_width = 539;  // below the menu bar
  int client_height = 372;
  Color back_color = kBlack;
  FontSpec font;        // the window's default font: menus and anything without its own
  bool enabled = true;  // false while the About window is open

  // Drawn by the window over the field, never into it: the head reads the field.
  bool pause_shown = false;  // "PAUSE" in the middle, while a game is paused
  std::string speed_note;    // "SPEED 75%" at the title when the game runs slower

  // The play field: enabled (takes the keyboard) only while the head may turn.
  PictureBox picSTAGE;

  // The read-out panel right of the field and its frame.
  Label lblPoint, lblSC, lblRound, lblNumber, lblTimer, lblBN;
  Line Line1, Line2, Line3, Line4;

  // The caption strip under the field and its frame; the strip is clickable.
  Shape Shape1;
  Label lblBgmName;

  // Hidden holders: sources and targets of block copies, never shown.
  PictureBox picCG1, picCG2, picCG3, picCG4;
  // The holders by what they hold: the mask that dims the title behind the
  // hall of fame, the banner sheet and its mask, and the clean copy of the
  // stage that the banners are laid over and taken off again.
  Surface& TitleMask() { return picCG1.surface; }
  Surface& BannerSheet() { return picCG2.surface; }
  Surface& BannerMask() { return picCG3.surface; }
  Surface& StageBackup() { return picCG4.surface; }

  Timer DemoTimer;

  // Labels over the play field (in its pixels), all hidden at first.
  Label lblHSCTitle, lblHSC1, lblHSC2, lblHSC3, lblHSC4, lblHSC5;
  Label lblMsg, lblbonus1, lblbonus2;

  // The word the view lays over a corner of the field while a run is replayed.
  bool replay_mark = false;

  // The menu bar.
  MenuItem MM_Game, MMG_Start, MMG_Pause, MMG_Watch, Sep00, MMG_End;
  MenuItem MM_Setting, MMS_BGM, MMG_BGMU, MMG_BGMN, Sep03, MMS_BGM2, MMG_BGMT1, MMG_BGMT2;
  MenuItem Sep04, MMS_Display, MMD_ZoomIn, MMD_ZoomOut, MMD_ActualSize, MMD_FullScreen;
  MenuItem MMS_OneButton, MMS_HeldOnce, MMS_Speed, MMP_100, MMP_75, MMP_50, MMS_FocusPause,
      MMS_BestRun;
  MenuItem MM_Help, MMH_Help, MMH_Web, Sep01, MMH_About;

  // The controls by kind, in the order the window stacks them.
  std::vector<Label*> window_labels;  // on the window itself
  std::vector<Label*> field_labels;   // inside picSTAGE
  std::vector<Line*> lines;
  std::vector<PictureBox*> holders;
  std::vector<MenuItem*> menu_bar;  // the top menus, left to right
};

// What the main window routes its events to, one method per handler.
class MainFormEvents {
 public:
  virtual void Form_Load() = 0;
  virtual void Form_Unload(int16_t& Cancel) = 0;
  virtual void Form_KeyDown(int16_t& KeyCode, int16_t& Shift) = 0;
  virtual void picSTAGE_KeyDown(int16_t& KeyCode, int16_t& Shift) = 0;
  virtual void DemoTimer_Timer() = 0;
  virtual void MMG_Start_Click() = 0;
  virtual void MMG_Watch_Click() = 0;
  virtual void MMG_End_Click() = 0;
  virtual void MMG_BGMU_Click() = 0;
  virtual void MMG_BGMN_Click() = 0;
  virtual void MMG_BGMT1_Click() = 0;
  virtual void MMG_BGMT2_Click() = 0;
  virtual void MMH_Help_Click() = 0;
  virtual void MMH_Web_Click() = 0;
  virtual void MMH_About_Click() = 0;
  virtual void lblBgmName_Click() = 0;

  // A key held down and repeated by the keyboard: by default a press like any other.
  virtual void Form_KeyRepeat(int16_t& KeyCode, int16_t& Shift) { Form_KeyDown(KeyCode, Shift); }
  virtual void picSTAGE_KeyRepeat(int16_t& KeyCode, int16_t& Shift) {
    picSTAGE_KeyDown(KeyCode, Shift);
  }
  // The window lost the keyboard to another window.
  virtual void Form_Deactivate() {}
  virtual void MMG_Pause_Click() {}
  // The player's options, between games.
  virtual void MMS_OneButton_Click() {}
  virtual void MMS_BestRun_Click() {}
  virtual void MMS_HeldOnce_Click() {}
  virtual void MMS_FocusPause_Click() {}
  virtual void MMP_Speed_Click(int /*percent*/) {}

 protected:
  ~MainFormEvents() = default;
};

}  // namespace marvo
