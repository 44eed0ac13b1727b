// The movement loop on Qt's real event loop, with the field widget repainting
// every tick: the waiting loop the game uses, and a loop that spins on the
// event queue without ever waiting. Beside them, a bare loop that only sleeps
// with clock_nanosleep to each tick's deadline: no events, no drawing, the
// least CPU and the wake-up lateness this machine allows a waiting loop; and
// that bare sleep with the game's drawing in between (sleep), deaf to events
// while it sleeps: the least any window repainting every tick can cost.
// Prints one "BENCH <name> <value>" line per figure, "loop.*" on the offscreen
// platform and "loop.<platform>.*" on any other (bench/run_bench.sh runs it
// again on Xvfb).
//
// The machine is shared, so absolute rates drift from run to run; the ratios
// of the waiting loop to the spinning loop measured in the same run are the
// figures to judge. The loops run in the order wait, spin, sleep, sleep, spin,
// wait, so a steady drift weighs on each alike.
//
//   marvo_bench [--seconds S] [--only wait|spin|sleep]
//
// --only runs one loop for S seconds (for a profiler); MARVO_BENCH_SERVER_PID
// names a display server whose CPU time is reported beside the loop's own.
#include <unistd.h>
#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "engine/game_record.h"
#include "engine/movement.h"
#include "qt/field_widget.h"
#include "qt/qt_platform.h"
#include "ui/surface.h"

namespace {

using namespace marvo;
using bench::CpuSeconds;
using bench::Print;

// User plus system time of another process, or 0 when it cannot be read.
double ProcessCpuSeconds(long pid) {
  if (pid <= 0) return 0;
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(in, line)) return 0;
  // The command name may hold spaces: the fields start after its closing parenthesis.
  std::istringstream fields(line.substr(line.rfind(')') + 2));
  std::string field;
  double ticks = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14 || i == 15) ticks += std::stod(field);  // utime, stime
  }
  return ticks / double(sysconf(_SC_CLK_TCK));
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

// Handles pending events and returns at once, never waiting (spin); or then
// sleeps with clock_nanosleep to the deadline, deaf to events (sleep): the bare
// loop with the game's drawing, the least a window repainting each tick costs.
class PlainPlatform final : public Platform {
 public:
  PlainPlatform(QtPlatform& clock, bool sleeps) : clock_(clock), sleeps_(sleeps) {}
  double Clock() override { return clock_.Clock(); }
  uint32_t ClockSeed() override { return clock_.ClockSeed(); }
  void Yield(double deadline) override {
    if (before_events) before_events();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    const double remaining = deadline - clock_.Clock();
    if (!sleeps_ || remaining <= 0) return;
    timespec until{};
    clock_gettime(CLOCK_MONOTONIC, &until);
    const long long ns = until.tv_nsec + (long long)(remaining * 1e9) + 1;
    until.tv_sec += time_t(ns / 1000000000);
    until.tv_nsec = long(ns % 1000000000);
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr);
  }
  std::function<void()> before_events;

 private:
  QtPlatform& clock_;
  bool sleeps_;
};

// Notes the time of every tick and ends the run after `seconds`. The loop
// waits for its last tick's reading plus the interval, so a new deadline tells
// exactly when a tick was taken.
class Watch final : public Platform {
 public:
  Watch(Platform& inner, GameRecord& r, double seconds) : inner_(inner), r_(r), run_(seconds) {}
  double Clock() override { return inner_.Clock(); }
  uint32_t ClockSeed() override { return inner_.ClockSeed(); }
  void Yield(double deadline) override {
    const double now = inner_.Clock();
    if (start_ < 0) start_ = now;
    if (deadline != last_deadline_) {
      ticks.push_back(deadline - double(kTickSeconds));
      last_deadline_ = deadline;
    }
    if (now - start_ >= run_) r_.StopFlag = 1;
    ++yields;
    inner_.Yield(deadline);
  }
  std::vector<double> ticks;
  long yields = 0;

 private:
  Platform& inner_;
  GameRecord& r_;
  double run_;
  double start_ = -1;
  double last_deadline_ = -1;
};

// What the runs of one loop add up to.
struct Totals {
  std::vector<double> gaps_ms;  // every interval between two ticks
  double span = 0;              // seconds from first to last tick, summed over runs
  double cpu = 0;
  double wall = 0;
  double server_cpu = 0;
  long yields = 0;

  double TicksPerSecond() const { return double(gaps_ms.size()) / span; }
  double CpuShare() const { return cpu / wall; }
};

void RunLoop(Platform& platform, FieldWidget& view, Surface& field, double seconds, long server_pid,
             Totals& totals) {
  GameRecord r;
  r.StoreStartUpValues();
  r.StopFlag = 0;
  field.AssignPicture(field.Picture());
  view.Sync();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  Wrap wrap(r);
  Watch watch(platform, r, seconds);
  const double server0 = ProcessCpuSeconds(server_pid);
  const double cpu0 = CpuSeconds(), wall0 = platform.Clock();
  MoveHead(r, field, watch, wrap);
  totals.cpu += CpuSeconds() - cpu0;
  totals.wall += platform.Clock() - wall0;
  totals.server_cpu += ProcessCpuSeconds(server_pid) - server0;
  for (size_t i = 1; i < watch.ticks.size(); ++i)
    totals.gaps_ms.push_back((watch.ticks[i] - watch.ticks[i - 1]) * 1000.0);
  totals.span += watch.ticks.back() - watch.ticks.front();
  totals.yields += watch.yields;
}

// The bare loop: the game's tick rule, and between ticks one sleep to the
// deadline on the monotonic clock.
void RunNanosleepLoop(double seconds, Totals& totals) {
  auto now = [] {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
  };
  const double cpu0 = CpuSeconds(), start = now();
  double last_tick = start, first_tick = -1;
  while (true) {
    const double reading = now();
    if (float(reading - last_tick) > kTickSeconds) {
      const double tick = now();
      if (first_tick >= 0) totals.gaps_ms.push_back((tick - last_tick) * 1000.0);
      if (first_tick < 0) first_tick = tick;
      last_tick = tick;
      if (tick - start >= seconds) break;
    }
    const auto deadline_ns = (long long)((last_tick + double(kTickSeconds)) * 1e9) + 1;
    const timespec until{time_t(deadline_ns / 1000000000), long(deadline_ns % 1000000000)};
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr);
    ++totals.yields;
  }
  totals.cpu += CpuSeconds() - cpu0;
  totals.wall += now() - start;
  totals.span += last_tick - first_tick;
}

void Report(const std::string& prefix, Totals& t, long server_pid) {
  std::vector<double>& gaps = t.gaps_ms;
  std::sort(gaps.begin(), gaps.end());
  auto pct = [&](double p) { return bench::Percentile(gaps, p); };
  Print(prefix + ".ticks_per_s", t.TicksPerSecond(), "%.2f");
  Print(prefix + ".interval_p50_ms", pct(0.50));
  Print(prefix + ".interval_p99_ms", pct(0.99));
  // Enough digits to tell a tick just past 10 ms from one at 10 ms.
  Print(prefix + ".interval_min_ms", gaps.front(), "%.6f");
  Print(prefix + ".interval_max_ms", gaps.back());
  Print(prefix + ".cpu_pct", t.CpuShare() * 100.0, "%.2f");
  Print(prefix + ".yields_per_tick", double(t.yields) / double(t.gaps_ms.size() + 1), "%.1f");
  if (server_pid > 0) Print(prefix + ".server_cpu_pct", t.server_cpu / t.wall * 100.0, "%.2f");
}

}  // namespace

int main(int argc, char** argv) {
  double seconds = 3.2;
  std::string only;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
      seconds = std::atof(argv[++i]);
    } else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) {
      only = argv[++i];
    } else {
      std::fprintf(stderr, "usage: %s [--seconds S] [--only wait|spin|sleep]\n", argv[0]);
      return 2;
    }
  }
  if (seconds <= 0 || (!only.empty() && only != "wait" && only != "spin" && only != "sleep")) {
    std::fprintf(stderr, "%s: --seconds wants a positive number, --only wait, spin or sleep\n",
                 argv[0]);
    return 2;
  }
  bench::PrepareQtEnvironment();
  const char* server = std::getenv("MARVO_BENCH_SERVER_PID");
  const long server_pid = server != nullptr ? std::atol(server) : 0;

  QApplication app(argc, argv);
  const std::string platform_name = QGuiApplication::platformName().toStdString();
  const std::string prefix = platform_name == "offscreen" ? "loop" : "loop." + platform_name;

  Surface field(kFieldWidth, kFieldHeight);
  FieldWidget view(field);
  view.show();
  QCoreApplication::processEvents(QEventLoop::AllEvents);

  QtPlatform waiting;
  waiting.SetBeforeEvents([&] { view.Sync(); });
  PlainPlatform spinning(waiting, false), sleeping(waiting, true);
  spinning.before_events = sleeping.before_events = [&] { view.Sync(); };

  std::map<std::string, Totals> totals;
  std::map<std::string, Platform*> loops = {
      {"wait", &waiting}, {"spin", &spinning}, {"sleep", &sleeping}};
  const std::vector<std::string> order =
      only.empty() ? std::vector<std::string>{"wait", "spin", "sleep", "sleep", "spin", "wait"}
                   : std::vector<std::string>{only};
  for (const std::string& name : order)
    RunLoop(*loops[name], view, field, seconds, server_pid, totals[name]);
  if (only.empty()) RunNanosleepLoop(seconds, totals["nanosleep"]);
  for (auto& [name, t] : totals)
    Report(prefix + "." + name, t, name == "nanosleep" ? 0 : server_pid);
  if (only.empty()) {
    const Totals &wait = totals["wait"], &spin = totals["spin"], &bare = totals["nanosleep"];
    Print(prefix + ".tick_ratio", wait.TicksPerSecond() / spin.TicksPerSecond(), "%.4f");
    Print(prefix + ".cpu_ratio", wait.CpuShare() / spin.CpuShare(), "%.4f");
    Print(prefix + ".nanosleep.cpu_ratio", bare.CpuShare() / spin.CpuShare(), "%.4f");
    Print(prefix + ".sleep.cpu_ratio", totals["sleep"].CpuShare() / spin.CpuShare(), "%.4f");
  }
  return 0;
}
