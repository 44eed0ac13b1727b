#pragma once

#include <QMainWindow>
#include <functional>
#include <vector>

#include "qt/field_widget.h"
#include "qt/model_view.h"
#include "ui/form.h"

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace marvo {

class ClientArea;

// The main window on the screen: widgets built once from the form model, their
// events routed to the game's handlers, and the model mirrored back into them
// after every routed event and on every pass of the game's loops.
class MainForm final : public QMainWindow {
 public:
  MainForm(MainFormModel& model, MainFormEvents& events, QWidget* parent = nullptr);
  ~MainForm() override;

  // Runs the load handler and shows its result; call before the window is shown.
  void Load();
  // Shows the window in the middle of its screen.
  void ShowCentered() { marvo::ShowCentered(*this); }
  // Brings the widgets in line with the model. Cheap when little has changed.
  void Mirror();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
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

  void BuildClientArea();
  void BuildMenus();
  void AddMenuEntries(QMenu* menu, const MenuItem& parent);
  void AddLabel(const Label& label, QWidget* parent);
  FieldWidget* AddPicture(const PictureBox& box, QWidget* parent);
  void AddTimer(const Timer& timer, void (MainFormEvents::*handler)());
  // Runs a handler, then shows what it changed.
  void Route(const std::function<void()>& handler);

  MainFormModel& model_;
  MainFormEvents& events_;
  ClientArea* client_ = nullptr;
  FieldWidget* field_ = nullptr;
  QLabel* strip_ = nullptr;
  bool strip_pressed_ = false;
  bool field_enabled_ = false;
  std::vector<LabelView> labels_;
  std::vector<MenuView> menus_;
  std::vector<PictureView> pictures_;
  std::vector<TimerView> timers_;
};

}  // namespace marvo
