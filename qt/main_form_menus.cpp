// The menu bar built from the model, and each entry's click sent to its handler.
#include "qt/main_form.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <functional>
#include <map>

#include "qt/model_view.h"
#include "qt/qt_text.h"
#include "qt/translation.h"

namespace marvo {

namespace {

// A menu entry's text: its caption in the player's language, and a shortcut
// that belongs to the window shown after a tab, as menus show shortcuts.
QString ActionText(const MenuItem& item) {
  QString text = Translated(item.caption);
  if (item.shortcut_shown_only) text += '\t' + ToQString(item.shortcut);
  return text;
}

}  // namespace

QFont MainForm::MenuFont(int zoom) const {
  if (!EnglishMenus()) return MakeFont(model_.font, zoom);
  QFont font = QApplication::font();
  if (zoom > 1) {
    if (font.pixelSize() > 0)
      font.setPixelSize(font.pixelSize() * zoom);
    else
      font.setPointSizeF(font.pointSizeF() * zoom);
  }
  return font;
}

QString MainForm::MenuText(const MenuItem& item) { return ActionText(item); }

void MainForm::BuildMenus() {
  menuBar()->setFont(MenuFont());
  for (const MenuItem* top : model_.menu_bar) {
    QMenu* menu = menuBar()->addMenu(Translated(top->caption));
    menu_widgets_.push_back(menu);
    menu->setObjectName(ToQString(top->name));
    menu->menuAction()->setObjectName(ToQString(top->name));
    menus_.push_back({top, menu->menuAction()});
    AddMenuEntries(menu, *top);
  }
}

void MainForm::AddMenuEntries(QMenu* menu, const MenuItem& parent) {
  using Handler = void (MainFormEvents::*)();
  const std::map<const MenuItem*, Handler> clicks = {
      {&model_.MMG_Start, &MainFormEvents::MMG_Start_Click},
      {&model_.MMG_Pause, &MainFormEvents::MMG_Pause_Click},
      {&model_.MMG_Watch, &MainFormEvents::MMG_Watch_Click},
      {&model_.MMS_OneButton, &MainFormEvents::MMS_OneButton_Click},
      {&model_.MMS_HeldOnce, &MainFormEvents::MMS_HeldOnce_Click},
      {&model_.MMS_FocusPause, &MainFormEvents::MMS_FocusPause_Click},
      {&model_.MMS_BestRun, &MainFormEvents::MMS_BestRun_Click},
      {&model_.MMG_End, &MainFormEvents::MMG_End_Click},
      {&model_.MMG_BGMU, &MainFormEvents::MMG_BGMU_Click},
      {&model_.MMG_BGMN, &MainFormEvents::MMG_BGMN_Click},
      {&model_.MMG_BGMT1, &MainFormEvents::MMG_BGMT1_Click},
      {&model_.MMG_BGMT2, &MainFormEvents::MMG_BGMT2_Click},
      {&model_.MMH_Help, &MainFormEvents::MMH_Help_Click},
      {&model_.MMH_Web, &MainFormEvents::MMH_Web_Click},
      {&model_.MMH_About, &MainFormEvents::MMH_About_Click},
  };
  // The window's own keys, which the Display entries only name, and the speeds.
  const std::map<const MenuItem*, std::function<void()>> others = {
      {&model_.MMD_ZoomIn, [this] { ZoomBy(+1); }},
      {&model_.MMD_ZoomOut, [this] { ZoomBy(-1); }},
      {&model_.MMD_ActualSize, [this] { ZoomTo(1); }},
      {&model_.MMD_FullScreen, [this] { ToggleFullScreen(); }},
      {&model_.MMP_100, [this] { Route([&] { events_.MMP_Speed_Click(100); }); }},
      {&model_.MMP_75, [this] { Route([&] { events_.MMP_Speed_Click(75); }); }},
      {&model_.MMP_50, [this] { Route([&] { events_.MMP_Speed_Click(50); }); }},
  };
  menu->setFont(MenuFont());
  for (const MenuItem* item : parent.children) {
    QAction* action = nullptr;
    if (item->separator) {
      action = menu->addSeparator();
    } else if (!item->children.empty()) {
      QMenu* submenu = menu->addMenu(Translated(item->caption));
      menu_widgets_.push_back(submenu);
      submenu->setObjectName(ToQString(item->name));
      action = submenu->menuAction();
      AddMenuEntries(submenu, *item);
    } else {
      action = menu->addAction(ActionText(*item));
      if (!item->shortcut.empty() && !item->shortcut_shown_only)
        action->setShortcut(QKeySequence(ToQString(item->shortcut)));
      // A held shortcut key would pause and resume over and over.
      action->setAutoRepeat(false);
      if (auto other = others.find(item); other != others.end())
        connect(action, &QAction::triggered, this, other->second);
      if (auto click = clicks.find(item); click != clicks.end()) {
        const Handler handler = click->second;
        connect(action, &QAction::triggered, this,
                [this, handler] { Route([&] { (events_.*handler)(); }); });
      }
    }
    action->setObjectName(ToQString(item->name));
    menus_.push_back({item, action});
  }
}

}  // namespace marvo
