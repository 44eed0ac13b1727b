// The main window's widgets, built once from the form model.
#include "qt/main_form.h"

#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QTimer>

#include "qt/client_area.h"
#include "qt/model_view.h"
#include "qt/qt_text.h"
#include "resources/pictures.h"

namespace marvo {

namespace {

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

void MainForm::Load() {
  Route([&] { events_.Form_Load(); });
}

}  // namespace marvo
