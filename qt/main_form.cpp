#include "qt/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <map>

#include "qt/model_view.h"
#include "qt/qt_text.h"
#include "qt/translation.h"
#include "resources/pictures.h"

namespace marvo {

namespace {

// A menu entry's text: its caption in the player's language, and a shortcut
// that belongs to the window shown after a tab, as menus show shortcuts.
QString ActionText(const MenuItem& item) {
  QString text = Translated(item.caption);
  if (item.shortcut_shown_only) text += '\t' + ToQString(item.shortcut);
  return text;
}

QIcon GameIcon() {
  QIcon icon;
  for (int size : {16, 32}) {
    QImage image;
    CopyToQImage(Icon(size), image);
    icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}

}  // namespace

// The window's client area: the black background, the read-out panel's frame
// lines and the caption strip's frame.
class ClientArea final : public QWidget {
 public:
  ClientArea(const MainFormModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    SetZoom(1);
  }

  void SetZoom(int zoom) {
    zoom_ = zoom;
    setFixedSize(model_.client_width * zoom, model_.client_height * zoom);
    update();
  }

  // Repaints when the frame changed since it was last drawn.
  void Sync() {
    std::vector<Line> lines;
    for (const Line* line : model_.lines) lines.push_back(*line);
    if (lines != lines_ || !(model_.Shape1 == shape_) || model_.back_color != back_color_) {
      lines_ = std::move(lines);
      shape_ = model_.Shape1;
      back_color_ = model_.back_color;
      zoomed_frame_ = QImage();
      update();
    }
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    if (zoom_ == 1) return PaintFrame(painter);
    // Zoomed, the frame is drawn at 1x once and each pixel becomes a square block.
    if (zoomed_frame_.isNull()) {
      zoomed_frame_ = QImage(model_.client_width, model_.client_height, QImage::Format_RGB32);
      QPainter frame_painter(&zoomed_frame_);
      PaintFrame(frame_painter);
    }
    painter.drawImage(rect(), zoomed_frame_);
  }

 private:
  void PaintFrame(QPainter& painter) {
    painter.fillRect(QRect(0, 0, model_.client_width, model_.client_height), ToQColor(back_color_));
    for (const Line& line : lines_) {
      if (!line.visible) continue;
      painter.setPen(ToQColor(line.color));
      painter.drawLine(line.x1, line.y1, line.x2, line.y2);
    }
    if (shape_.visible) {
      // A 1-pixel pen on drawRect lights width + 1 pixels: the design's width
      // already counts both edges.
      painter.setPen(ToQColor(shape_.border_color));
      painter.setBrush(Qt::NoBrush);
      const Rect& r = shape_.rect;
      painter.drawRect(QRect(r.x, r.y, r.width - 1, r.height - 1));
    }
  }

  const MainFormModel& model_;
  int zoom_ = 1;
  QImage zoomed_frame_;  // the frame at 1x, drawn when zoomed
  std::vector<Line> lines_;
  Shape shape_;
  Color back_color_ = kBlack;
};

MainForm::MainForm(MainFormModel& model, MainFormEvents& events, QWidget* parent)
    : QMainWindow(parent), model_(model), events_(events) {
  setWindowTitle(ToQString(model.caption));
  setWindowIcon(GameIcon());
  setFont(MenuFont());
  // A fixed border: no maximise button, no resizing.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  BuildClientArea();
  BuildMenus();
  // The menu bar's height depends on font and screen: measured once it is full.
  // Zoomed, it is that height times the factor, like everything else.
  menu_height_ = menuBar()->sizeHint().height();
  setFixedSize(GameExtent().width, GameExtent().height);
  AddZoomKeys();
  AddTimer(model.DemoTimer, &MainFormEvents::DemoTimer_Timer);
  Mirror();
}

MainForm::~MainForm() = default;

void MainForm::BuildClientArea() {
  client_ = new ClientArea(model_, this);
  client_->setObjectName("client");
  setCentralWidget(client_);

  field_ = AddPicture(model_.picSTAGE, client_);
  field_->on_key_down = [this](int key_code, int shift) {
    int16_t code = int16_t(key_code), state = int16_t(shift);
    Route([&] { events_.picSTAGE_KeyDown(code, state); });
  };
  field_->on_key_repeat = [this](int key_code, int shift) {
    int16_t code = int16_t(key_code), state = int16_t(shift);
    Route([&] { events_.picSTAGE_KeyRepeat(code, state); });
  };
  // Keys go to the window until a game enables the field.
  field_enabled_ = model_.picSTAGE.enabled;
  field_->setEnabled(field_enabled_);

  for (const Label* label : model_.window_labels) AddLabel(*label, client_);
  for (const Label* label : model_.field_labels) AddLabel(*label, field_);
  for (const PictureBox* holder : model_.holders) AddPicture(*holder, client_);

  strip_ = client_->findChild<QLabel*>(ToQString(model_.lblBgmName.name));
  strip_->installEventFilter(this);
  // A click on the field while it takes no turns (at the title) reaches the
  // client area: it is the window's Space there.
  client_->installEventFilter(this);
}

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
      {&model_.MMS_OneButton, &MainFormEvents::MMS_OneButton_Click},
      {&model_.MMS_HeldOnce, &MainFormEvents::MMS_HeldOnce_Click},
      {&model_.MMS_FocusPause, &MainFormEvents::MMS_FocusPause_Click},
      {&model_.MMG_End, &MainFormEvents::MMG_End_Click},
      {&model_.MMG_BGMU, &MainFormEvents::MMG_BGMU_Click},
      {&model_.MMG_BGMN, &MainFormEvents::MMG_BGMN_Click},
      {&model_.MMG_BGMT1, &MainFormEvents::MMG_BGMT1_Click},
      {&model_.MMG_BGMT2, &MainFormEvents::MMG_BGMT2_Click},
      {&model_.MMH_Help, &MainFormEvents::MMH_Help_Click},
      {&model_.MMH_Web, &MainFormEvents::MMH_Web_Click},
      {&model_.MMH_About, &MainFormEvents::MMH_About_Click},
  };
  // The window's own keys, which the Display entries only name.
  const std::map<const MenuItem*, std::function<void()>> window_keys = {
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
      if (auto key = window_keys.find(item); key != window_keys.end())
        connect(action, &QAction::triggered, this, key->second);
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

void MainForm::AddLabel(const Label& label, QWidget* parent) {
  labels_.emplace_back(label, parent);
  labels_.back().widget()->setWordWrap(true);
}

FieldWidget* MainForm::AddPicture(const PictureBox& box, QWidget* parent) {
  auto* widget = new FieldWidget(box.surface, parent);
  widget->setObjectName(ToQString(box.name));
  widget->move(box.rect.x * zoom_, box.rect.y * zoom_);
  widget->SetZoom(zoom_);
  widget->setVisible(box.visible);
  pictures_.push_back({&box, widget});
  return widget;
}

void MainForm::AddTimer(const Timer& timer, void (MainFormEvents::*handler)()) {
  auto* qtimer = new QTimer(this);
  qtimer->setObjectName(ToQString(timer.name));
  connect(qtimer, &QTimer::timeout, this,
          [this, handler] { Route([&] { (events_.*handler)(); }); });
  timers_.push_back({&timer, qtimer});
}

void MainForm::AddZoomKeys() {
  // Window shortcuts come before any key press: these keys never reach the game.
  const auto add = [this](QList<QKeySequence> keys, std::function<void()> act) {
    auto* action = new QAction(this);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, std::move(act));
    addAction(action);
  };
  const int ctrl = Qt::CTRL, keypad = Qt::KeypadModifier;
  add({QKeySequence(ctrl | Qt::Key_Plus), QKeySequence(ctrl | Qt::Key_Equal),
       QKeySequence(ctrl | keypad | Qt::Key_Plus)},
      [this] { ZoomBy(+1); });
  add({QKeySequence(ctrl | Qt::Key_Minus), QKeySequence(ctrl | keypad | Qt::Key_Minus)},
      [this] { ZoomBy(-1); });
  add({QKeySequence(ctrl | Qt::Key_0), QKeySequence(ctrl | keypad | Qt::Key_0)},
      [this] { ZoomTo(1); });
  add({QKeySequence(Qt::Key_F11)}, [this] { ToggleFullScreen(); });
}

Extent MainForm::GameExtent() const {
  return {model_.client_width, model_.client_height + menu_height_};
}

int MainForm::LargestWindowZoom() const {
  const QScreen* screen = this->screen() ? this->screen() : QApplication::primaryScreen();
  const QSize border = isVisible() ? frameGeometry().size() - geometry().size() : QSize();
  const QSize area = screen->availableGeometry().size();
  return LargestZoom(GameExtent(), {border.width(), border.height()},
                     {area.width(), area.height()});
}

void MainForm::ApplyZoom(int zoom) {
  if (zoom == zoom_) return;
  zoom_ = zoom;
  const QFont font = MenuFont(zoom);
  setFont(font);
  menuBar()->setFont(font);
  menuBar()->setFixedHeight(menu_height_ * zoom);
  for (QMenu* menu : menu_widgets_) {
    menu->setFont(font);
    // The style draws its check column wider than it measures it once the
    // font is big, and then cuts the captions short: by less than a line's
    // height, so that much more room keeps them whole.
    menu->setMinimumWidth(zoom == 1 ? 0 : menu->sizeHint().width() + menu->fontMetrics().height());
  }
  client_->SetZoom(zoom);
  for (LabelView& view : labels_) view.SetZoom(zoom);
  for (PictureView& view : pictures_) view.widget->SetZoom(zoom);
  Mirror();
}

void MainForm::Show(DisplayChoice& display) {
  display_ = &display;
  if (display.full_screen)
    ShowFullScreen();
  else
    ShowWindowed();
}

void MainForm::ShowWindowed() {
  full_screen_ = false;
  setContentsMargins(0, 0, 0, 0);
  if (isFullScreen()) showNormal();
  ApplyZoom(std::min(display_->zoom, LargestWindowZoom()));
  setFixedSize(GameExtent().width * zoom_, GameExtent().height * zoom_);
  ShowCentered();
}

void MainForm::ShowFullScreen() {
  const QScreen* screen = this->screen() ? this->screen() : QApplication::primaryScreen();
  const QRect whole = screen->geometry();
  const ScreenPlacement place = PlaceOnScreen(GameExtent(), {whole.width(), whole.height()});
  full_screen_ = true;
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  ApplyZoom(place.zoom);
  // The game in the middle, black all round (see paintEvent).
  setContentsMargins(place.x, place.y, whole.width() - place.x - GameExtent().width * zoom_,
                     whole.height() - place.y - GameExtent().height * zoom_);
  setGeometry(whole);
  showFullScreen();
}

void MainForm::ZoomBy(int step) {
  // Full screen has its own factor.
  if (full_screen_) return;
  ZoomTo(StepZoom(zoom_, step, LargestWindowZoom()));
}

void MainForm::ZoomTo(int zoom) {
  if (full_screen_ || zoom == zoom_) return;
  display_->Choose(zoom, false);
  ShowWindowed();
}

void MainForm::ToggleFullScreen() {
  display_->Choose(display_->zoom, !full_screen_);
  if (full_screen_)
    ShowWindowed();
  else
    ShowFullScreen();
}

void MainForm::Load() {
  Route([&] { events_.Form_Load(); });
}

void MainForm::Route(const std::function<void()>& handler) {
  handler();
  Mirror();
}

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
    if (!item.separator && action.text() != ActionText(item)) action.setText(ActionText(item));
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

void MainForm::keyPressEvent(QKeyEvent* event) {
  const int code = ClassicKeyCode(event->key());
  if (code == 0) return QMainWindow::keyPressEvent(event);
  int16_t key_code = int16_t(code), shift = int16_t(ClassicShiftState(event->modifiers()));
  if (event->isAutoRepeat())
    Route([&] { events_.Form_KeyRepeat(key_code, shift); });
  else
    Route([&] { events_.Form_KeyDown(key_code, shift); });
}

void MainForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && !isActiveWindow())
    Route([&] { events_.Form_Deactivate(); });
  QMainWindow::changeEvent(event);
}

void MainForm::paintEvent(QPaintEvent* event) {
  // Only the border round the game in full screen shows the window itself.
  if (full_screen_) QPainter(this).fillRect(rect(), Qt::black);
  QMainWindow::paintEvent(event);
}

void MainForm::closeEvent(QCloseEvent* event) {
  int16_t cancel = 0;
  Route([&] { events_.Form_Unload(cancel); });
  if (cancel != 0)
    event->ignore();
  else
    event->accept();
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_ && event->type() == QEvent::MouseButtonPress && !field_->isEnabled()) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton &&
        field_->geometry().contains(mouse->position().toPoint())) {
      int16_t key_code = 32, shift = 0;
      Route([&] { events_.Form_KeyDown(key_code, shift); });
    }
  }
  if (watched == strip_) {
    // A click is a press and a release of the left button on the strip.
    if (event->type() == QEvent::MouseButtonPress) {
      strip_pressed_ = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    } else if (event->type() == QEvent::MouseButtonRelease && strip_pressed_) {
      strip_pressed_ = false;
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton &&
          strip_->rect().contains(mouse->position().toPoint())) {
        Route([&] { events_.lblBgmName_Click(); });
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace marvo
