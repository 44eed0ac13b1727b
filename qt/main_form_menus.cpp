// The menu bar built from the model, and each entry's click sent to its handler.
#include "qt/main_form.h"

#include <QAction>
#include <QMenuBar>
#include <map>

#include "qt/model_view.h"
#include "qt/qt_text.h"
#include "qt/translation.h"

namespace marvo {

void MainForm::BuildMenus() {
  menuBar()->setFont(MakeFont(model_.font));
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
      {&model_.MMG_Watch, &MainFormEvents::MMG_Watch_Click},
      {&model_.MMG_End, &MainFormEvents::MMG_End_Click},
      {&model_.MMG_BGMU, &MainFormEvents::MMG_BGMU_Click},
      {&model_.MMG_BGMN, &MainFormEvents::MMG_BGMN_Click},
      {&model_.MMG_BGMT1, &MainFormEvents::MMG_BGMT1_Click},
      {&model_.MMG_BGMT2, &MainFormEvents::MMG_BGMT2_Click},
      {&model_.MMH_Help, &MainFormEvents::MMH_Help_Click},
      {&model_.MMH_Web, &MainFormEvents::MMH_Web_Click},
      {&model_.MMH_About, &MainFormEvents::MMH_About_Click},
  };
  menu->setFont(MakeFont(model_.font));
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
      action = menu->addAction(Translated(item->caption));
      if (!item->shortcut.empty()) action->setShortcut(QKeySequence(ToQString(item->shortcut)));
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
