#pragma once

#include <string>
#include <vector>

#include "ui/form.h"

namespace marvo {

// The emblem: the program's icon, clickable once to start the staff roll.
struct ImageControl {
  std::string name;
  Rect rect;
  std::string tooltip;
  bool enabled = true;
};

// A push button.
struct Button {
  std::string name;
  Rect rect;
  std::string caption;
  FontSpec font;
  std::string tooltip;
  bool enabled = true;
};

// A plain black box that holds other controls: the credit window and, inside
// it, the credit strip that scrolls up through it.
struct Panel {
  std::string name;
  Rect rect;  // in the parent's pixels; the strip's y is its top, negative once it scrolls
};

// The About window as the game sees it, with the values it has when it opens.
class AboutFormModel {
 public:
  AboutFormModel();
  AboutFormModel(const AboutFormModel&) = delete;
  AboutFormModel& operator=(const AboutFormModel&) = delete;

  std::string caption = "ﾊﾞｰｼﾞｮﾝ情報";
  int client_width = 313;
  int client_height = 200;
  Color back_color = kBlack;
  FontSpec font{"Arial", 9, false, false};

  ImageControl imgEmblem;
  // The short name and its shadow: lblK26_1 is drawn first, under lblK26_2.
  Label lblK26_1, lblK26_2;
  Label lblTitle1, lblTitle2, lblVersion;
  Panel picScroll1;  // the credit window
  Panel picScroll2;  // the credit strip inside it
  Button cmdOK;
  Timer ScrollTimer;

  // The credit labels, in the strip's pixels, top to bottom.
  std::vector<Label> credits;
  // The labels on the window itself, in stacking order (first drawn first).
  std::vector<Label*> labels;
};

// What the About window routes its events to.
class AboutFormEvents {
 public:
  virtual void imgEmblem_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) = 0;
  virtual void ScrollTimer_Timer() = 0;
  virtual void cmdOK_Click() = 0;
  // The close box: the same as OK.
  virtual void Form_Unload(int16_t& Cancel) = 0;

 protected:
  ~AboutFormEvents() = default;
};

}  // namespace marvo
