#pragma once

#include <QMainWindow>
#include <functional>
#include <vector>

#include "qt/field_widget.h"
#include "qt/model_view.h"
#include "shell/display.h"
#include "ui/form.h"

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace marvo {

class ClientArea;

// The main window on the screen. Its code lies in one file per job:
//   main_form.cpp          the widgets, built once from the form model
//   main_form_menus.cpp    the menu bar, and each entry's click to its handler
//   main_form_input.cpp    keys, the close box and the strip's click to their handlers
//   main_form_display.cpp  zoom and full screen
//   main_form_mirror.cpp   the model copied into the widgets (and when that happens)
//   client_area.cpp        the background and frame behind the widgets
class MainForm final : public QMainWindow {
 public:
  MainForm(MainFormModel& model, MainFormEvents& events, QWidget* parent = nullptr);
  ~MainForm() override;

  // Runs the load handler and shows its result; call before the window is shown.
  void Load();
  // Shows the window in the middle of its screen.
  void ShowCentered() { marvo::ShowCentered(*this); }
  // Shows the window at the player's zoom or full screen, as `display` says,
  // and keeps the player's changes there from now on, calling `changed` after each.
  void Show(DisplayChoice& display, std::function<void()> changed = {});
  // The whole factor the window is drawn at.
  int Zoom() const { return zoom_; }
  // The zoom keys: Ctrl+Plus, Ctrl+Minus, Ctrl+0, and F11 for full screen.
  void ZoomBy(int step);
  void ZoomTo(int zoom);
  void ToggleFullScreen();
  // Brings the widgets in line with the model. Cheap when little has changed;
  // main_form_mirror.cpp says when it runs.
  void Mirror();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct MenuView {
    const MenuItem* model;
    QAction* action;
  };
  struct PictureView {
    const PictureBox* model;
    FieldWidget* widget;
  };
  struct TimerView {
    const Timer* model;
    QTimer* timer;
  };

  // main_form.cpp
  void BuildClientArea();
  void AddLabel(const Label& label, QWidget* parent);
  FieldWidget* AddPicture(const PictureBox& box, QWidget* parent);
  void AddTimer(const Timer& timer, void (MainFormEvents::*handler)());

  // main_form_menus.cpp
  void BuildMenus();
  void AddMenuEntries(QMenu* menu, const MenuItem& parent);
  // The font of menus and of the window itself: the game's Japanese gothic, or under
  // the English menus the desktop's own.
  QFont MenuFont(int zoom = 1) const;
  // An entry's text in the player's language, with a window key it only names.
  static QString MenuText(const MenuItem& item);

  // main_form_input.cpp
  // Runs a handler, then shows what it changed.
  void Route(const std::function<void()>& handler);

  // main_form_display.cpp
  void AddZoomKeys();
  // Draws everything at `zoom`; the callers size the window.
  void ApplyZoom(int zoom);
  // The window's size at 1x, menu bar included.
  Extent GameExtent() const;
  // The largest zoom at which the window and its border fit the screen's free area.
  int LargestWindowZoom() const;
  void ShowWindowed();
  void ShowFullScreen();

  MainFormModel& model_;
  MainFormEvents& events_;
  ClientArea* client_ = nullptr;
  FieldWidget* field_ = nullptr;
  QLabel* strip_ = nullptr;
  bool strip_pressed_ = false;
  bool field_enabled_ = false;
  int zoom_ = 1;
  int menu_height_ = 0;  // at 1x
  bool full_screen_ = false;
  DisplayChoice own_display_;
  DisplayChoice* display_ = &own_display_;
  std::function<void()> display_changed_;
  std::vector<QMenu*> menu_widgets_;
  std::vector<LabelView> labels_;
  std::vector<MenuView> menus_;
  std::vector<PictureView> pictures_;
  std::vector<TimerView> timers_;
};

}  // namespace marvo
