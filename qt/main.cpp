// MARVOSTEL: the window shows the play field; Enter sends the head on its way.
#include <QApplication>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <QWidget>

#include "engine/game_record.h"
#include "engine/movement.h"
#include "qt/field_widget.h"
#include "qt/qt_platform.h"
#include "qt/qt_text.h"
#include "ui/surface.h"

namespace {

using namespace marvo;

// Until the game's hit rules are in, the head runs until it leaves the field.
class LeaveFieldStop final : public HitResolver {
 public:
  explicit LeaveFieldStop(GameRecord& record) : record_(record) {}
  void ResolveHit() override {
    const GameRecord& r = record_;
    if (r.HeadX <= kBorderLeft || r.HeadX >= kBorderRight || r.HeadY <= kBorderTop ||
        r.HeadY >= kBorderBottom - 1) {
      record_.StopFlag = 1;
    }
  }

 private:
  GameRecord& record_;
};

class Window final : public QWidget {
 public:
  Window() : field_(kFieldWidth, kFieldHeight), view_(new FieldWidget(field_, this)) {
    setWindowTitle("MARVOSTEL");
    record_.StoreStartUpValues();
    field_.Box(kBorderLeft, kBorderTop, kBorderRight, kBorderBottom, kWhite);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setFixedSize(sizeHint());
    platform_.SetBeforeEvents([this] { view_->Sync(); });
    view_->setFocusPolicy(Qt::NoFocus);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (ClassicKeyCode(event->key()) == 13 && record_.StopFlag != 0) Run();
  }

 private:
  void Run() {
    field_.Clear();
    field_.Box(kBorderLeft, kBorderTop, kBorderRight, kBorderBottom, kWhite);
    record_.ResetToIdle();
    record_.StopFlag = 0;
    LeaveFieldStop stop(record_);
    MoveHead(record_, field_, platform_, stop);
  }

  GameRecord record_;
  Surface field_;
  FieldWidget* view_;
  QtPlatform platform_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  marvo::RegisterFontSubstitutions();
  Window window;
  window.show();
  return app.exec();
}
