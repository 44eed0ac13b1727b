// The movement loop on Qt's real event loop, with the field widget repainting
// every tick: the waiting loop the game uses, and a loop that spins on the
// event queue without ever waiting. Prints one "BENCH <name> <value>" line per
// figure.
#include <sys/stat.h>
#include <unistd.h>
#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "engine/game_record.h"
#include "engine/movement.h"
#include "qt/field_widget.h"
#include "qt/qt_platform.h"
#include "ui/surface.h"

namespace {

using namespace marvo;

constexpr double kRunSeconds = 3.2;

double CpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// The head wraps back to (4, 4) whenever it leaves the field, so it keeps moving.
class Wrap final : public HitResolver {
 public:
  explicit Wrap(GameRecord& r) : r_(r) {}
  void ResolveHit() override {
    if (r_.HitColor == kInvalidColor) r_.HeadX = r_.HeadY = 4;
  }

 private:
  GameRecord& r_;
};

// Spins: handles pending events and returns at once, never waiting.
class SpinningPlatform final : public Platform {
 public:
  explicit SpinningPlatform(QtPlatform& clock) : clock_(clock) {}
  double Clock() override { return clock_.Clock(); }
  uint32_t ClockSeed() override { return clock_.ClockSeed(); }
  void Yield(double) override {
    if (before_events) before_events();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
  std::function<void()> before_events;

 private:
  QtPlatform& clock_;
};

// Notes the time of every tick and ends the run after kRunSeconds. The loop
// waits for its last tick's reading plus the interval, so a new deadline tells
// exactly when a tick was taken.
class Watch final : public Platform {
 public:
  Watch(Platform& inner, GameRecord& r) : inner_(inner), r_(r) {}
  double Clock() override { return inner_.Clock(); }
  uint32_t ClockSeed() override { return inner_.ClockSeed(); }
  void Yield(double deadline) override {
    const double now = inner_.Clock();
    if (start_ < 0) start_ = now;
    if (deadline != last_deadline_) {
      ticks.push_back(deadline - double(kTickSeconds));
      last_deadline_ = deadline;
    }
    if (now - start_ >= kRunSeconds) r_.StopFlag = 1;
    inner_.Yield(deadline);
  }
  std::vector<double> ticks;

 private:
  Platform& inner_;
  GameRecord& r_;
  double start_ = -1;
  double last_deadline_ = -1;
};

void Report(const std::string& name, const std::vector<double>& ticks, double cpu, double wall) {
  std::vector<double> gaps;
  for (size_t i = 1; i < ticks.size(); ++i) gaps.push_back((ticks[i] - ticks[i - 1]) * 1000.0);
  std::sort(gaps.begin(), gaps.end());
  auto pct = [&](double p) { return gaps[std::min(gaps.size() - 1, size_t(p * gaps.size()))]; };
  const double span = ticks.back() - ticks.front();
  std::printf("BENCH loop.%s.ticks_per_s %.1f\n", name.c_str(), double(gaps.size()) / span);
  std::printf("BENCH loop.%s.interval_p50_ms %.3f\n", name.c_str(), pct(0.50));
  std::printf("BENCH loop.%s.interval_p99_ms %.3f\n", name.c_str(), pct(0.99));
  std::printf("BENCH loop.%s.interval_min_ms %.4f\n", name.c_str(), gaps.front());
  std::printf("BENCH loop.%s.interval_max_ms %.3f\n", name.c_str(), gaps.back());
  std::printf("BENCH loop.%s.cpu_pct %.1f\n", name.c_str(), cpu / wall * 100.0);
  std::fflush(stdout);
}

void RunLoop(const std::string& name, Platform& platform, FieldWidget& view, Surface& field) {
  GameRecord r;
  r.StoreStartUpValues();
  r.StopFlag = 0;
  field.Clear();
  Wrap wrap(r);
  Watch watch(platform, r);
  const double cpu0 = CpuSeconds(), wall0 = platform.Clock();
  MoveHead(r, field, watch, wrap);
  Report(name, watch.ticks, CpuSeconds() - cpu0, platform.Clock() - wall0);
  view.update();
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
    const std::string dir = "/tmp/runtime-" + std::to_string(getuid());
    mkdir(dir.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
  }
  QApplication app(argc, argv);
  Surface field(kFieldWidth, kFieldHeight);
  FieldWidget view(field);
  view.show();

  QtPlatform waiting;
  waiting.SetBeforeEvents([&] { view.Sync(); });
  RunLoop("wait", waiting, view, field);

  SpinningPlatform spinning(waiting);
  spinning.before_events = [&] { view.Sync(); };
  RunLoop("spin", spinning, view, field);
  return 0;
}
