// A bare Qt window, a menu bar over one label, for the start-up bench: its time
// to the first frame is what any Qt program pays, and the rest of the game's
// start-up is the game's own. The label's first paint writes the same probe
// line the game's field writes.
#include <time.h>

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <cstdio>

namespace {

class ProbedLabel final : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QLabel::paintEvent(event);
    if (noted_) return;
    noted_ = true;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(stderr, "MARVO_BENCH_PROBE first_paint_ns %lld\n",
                 (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
    std::fflush(stderr);
  }

 private:
  bool noted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.menuBar()->addMenu("&Game")->addAction("E&xit", &application, &QApplication::quit);
  window.setCentralWidget(new ProbedLabel("MARVOSTEL"));
  window.show();
  return application.exec();
}
