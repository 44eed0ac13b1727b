#pragma once

#include <cstdint>
#include <memory>

#include "shell/desktop.h"
#include "ui/about_form.h"
#include "ui/form.h"

namespace marvo {

// One opening of the About window: its controls and what they do. The staff
// roll climbs one pixel a tick, 64 ticks a second, once the emblem is clicked; OK or the close box
// hands the player back to the main window.
class AboutBox final : public AboutFormEvents {
 public:
  AboutBox(Desktop& desktop, MainFormModel& main_form);
  AboutBox(const AboutBox&) = delete;
  AboutBox& operator=(const AboutBox&) = delete;

  AboutFormModel form;

  void imgEmblem_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) override;
  void ScrollTimer_Timer() override;
  void cmdOK_Click() override;
  void Form_Unload(int16_t& Cancel) override;

  // True once OK or the close box has taken the window away.
  bool Closed() const { return closed_; }

 private:
  void Close();

  Desktop& desktop_;
  MainFormModel& main_form_;
  bool closed_ = false;
  int ticks_ = 0;  // of the scroll timer, since the emblem was clicked
};

// Where the main window keeps its About window. Each opening after a close
// builds a fresh one (strip at the top, emblem enabled, timer stopped). A
// closed box is released only at the next opening or with the slot, never
// from inside one of its own handlers, and always after the desktop has taken
// its window away.
class AboutWindowSlot {
 public:
  AboutWindowSlot(Desktop& desktop, MainFormModel& main_form);
  ~AboutWindowSlot();
  AboutWindowSlot(const AboutWindowSlot&) = delete;
  AboutWindowSlot& operator=(const AboutWindowSlot&) = delete;

  // Disables the main window and shows the About window, not modal. While one
  // is still open, it is only shown again.
  void Open();
  bool IsOpen() const { return box_ != nullptr && !box_->Closed(); }
  // The current (or last closed) opening; nullptr before the first.
  AboutBox* Current() { return box_.get(); }

 private:
  Desktop& desktop_;
  MainFormModel& main_form_;
  std::unique_ptr<AboutBox> box_;
};

}  // namespace marvo
