#include "shell/about.h"

namespace marvo {

namespace {

// The strip stops with its rows 304 to 392 in view: "Powered By" and the makers.
constexpr int16_t kLastStripTop = -304;

// The roll moves 64 pixels a second, slow enough to read the credits; a step
// on every tick of a 1 ms timer would be through them in a third of a second.
constexpr int kMovesPerSecond = 64;

// Milliseconds from the emblem click to the tick that makes move `move`.
int MoveTime(int move) { return move * 1000 / kMovesPerSecond; }

}  // namespace

AboutBox::AboutBox(Desktop& desktop, MainFormModel& main_form)
    : desktop_(desktop), main_form_(main_form) {
  form.ScrollTimer.interval_ms = MoveTime(1);
}

void AboutBox::imgEmblem_MouseUp(int16_t& /*Button*/, int16_t& /*Shift*/, float& /*X*/,
                                 float& /*Y*/) {
  // The roll runs once per opening: a disabled emblem takes no clicks.
  if (!form.imgEmblem.enabled) return;
  form.imgEmblem.enabled = false;
  form.ScrollTimer.enabled = true;
}

void AboutBox::ScrollTimer_Timer() {
  // Timers count whole milliseconds: 15 and 16 ms ticks take turns, so the
  // moves keep to 15.625 ms apart on average and never drift.
  ++ticks_;
  form.ScrollTimer.interval_ms = MoveTime(ticks_ + 1) - MoveTime(ticks_);
  const int16_t top = int16_t(form.picScroll2.rect.y - 1);
  if (top >= kLastStripTop)
    form.picScroll2.rect.y = top;
  else
    form.ScrollTimer.enabled = false;
}

void AboutBox::cmdOK_Click() { Close(); }

void AboutBox::Form_Unload(int16_t& /*Cancel*/) { Close(); }

void AboutBox::Close() {
  // OK and the close box may both arrive (a click queued behind the other).
  if (closed_) return;
  closed_ = true;
  form.ScrollTimer.enabled = false;
  main_form_.enabled = true;
  desktop_.CloseAboutWindow();
}

AboutWindowSlot::AboutWindowSlot(Desktop& desktop, MainFormModel& main_form)
    : desktop_(desktop), main_form_(main_form) {}

AboutWindowSlot::~AboutWindowSlot() {
  // The window must not outlive the model it shows.
  if (IsOpen()) desktop_.CloseAboutWindow();
}

void AboutWindowSlot::Open() {
  main_form_.enabled = false;
  if (!IsOpen()) box_ = std::make_unique<AboutBox>(desktop_, main_form_);
  desktop_.ShowAboutWindow(box_->form, *box_);
}

}  // namespace marvo
