// Loaded into the real game by the start-up benchmark (LD_PRELOAD), so the game
// itself holds no measuring code: once the application object exists, an event
// filter waits for the first paint of the play field, lets it paint, and writes
// the monotonic clock's reading to stderr, once:
//
//   MARVO_BENCH_PROBE first_paint_ns <nanoseconds>
//
// The field is painted within the window's first frame.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <cstdio>
#include <ctime>

namespace {

class FirstFieldPaint final : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint || watched->objectName() != QLatin1String("picSTAGE"))
      return false;
    QCoreApplication::instance()->removeEventFilter(this);
    watched->event(event);
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(stderr, "MARVO_BENCH_PROBE first_paint_ns %lld\n",
                 (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
    std::fflush(stderr);
    deleteLater();
    return true;
  }
};

void InstallProbe() { QCoreApplication::instance()->installEventFilter(new FirstFieldPaint); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallProbe)
