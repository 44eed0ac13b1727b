#include "qt/main_form.h"

#include <QAction>
#include <QLabel>

#include "qt/client_area.h"
#include "qt/translation.h"

namespace marvo {

// Where the screen is brought up to date. The game's handlers change only the
// model (ui/form.h); the widgets show nothing of it until Mirror copies it over,
// and that happens at two moments:
//  - after every handler the window runs (Route: a key, a click, a menu entry,
//    a timer, the close box), so what a handler changed shows as it returns;
//  - before each pass of Qt's event loop made from inside a handler, through the
//    platform's yield hook set in qt/main.cpp. A game is played inside the
//    handler that started it: the head's loop (engine/movement.cpp) and the
//    pauses between stages (flow/game_flow.cpp) yield to Qt on every tick and
//    return only when the game is over, so without the hook the screen would
//    stand still for the whole game.
// Each widget is compared with its model and touched only when they differ,
// which keeps a call on every tick cheap.
void MainForm::Mirror() {
  if (isEnabled() != model_.enabled) setEnabled(model_.enabled);
  const QString title = ToQString(model_.caption);
  if (windowTitle() != title) setWindowTitle(title);

  for (LabelView& view : labels_) view.Sync();

  for (MenuView& view : menus_) {
    const MenuItem& item = *view.model;
    QAction& action = *view.action;
    // Only a checked entry is checkable: an unchecked one shows no box at all,
    // and the mark is the model's, whatever a click on it did.
    if (action.isCheckable() != item.checked) action.setCheckable(item.checked);
    if (action.isChecked() != item.checked) action.setChecked(item.checked);
    if (action.isEnabled() != item.enabled) action.setEnabled(item.enabled);
    if (action.isVisible() != item.visible) action.setVisible(item.visible);
    if (!item.separator && action.text() != MenuText(item)) action.setText(MenuText(item));
  }

  for (PictureView& view : pictures_) {
    const PictureBox& box = *view.model;
    FieldWidget& widget = *view.widget;
    const QRect geometry(box.rect.x * zoom_, box.rect.y * zoom_, box.surface.Width() * zoom_,
                         box.surface.Height() * zoom_);
    if (widget.geometry() != geometry) {
      widget.setFixedSize(geometry.size());
      widget.move(geometry.topLeft());
    }
    if (widget.isVisibleTo(this) != box.visible) widget.setVisible(box.visible);
    widget.Sync();
  }
  field_->SetCornerText(model_.replay_mark ? QStringLiteral("REPLAY") : QString());
  // The field takes the keyboard while it is enabled; otherwise keys reach the window.
  if (model_.picSTAGE.enabled != field_enabled_) {
    field_enabled_ = model_.picSTAGE.enabled;
    field_->setEnabled(field_enabled_);
    if (field_enabled_) field_->setFocus();
  }

  for (TimerView& view : timers_) SyncTimer(*view.timer, *view.model);

  field_->SetOverlay(model_.pause_shown, ToQString(model_.speed_note));
  client_->Sync();
}

}  // namespace marvo
