// The real main window on Qt's offscreen platform (or the one asked for), wired
// as the game wires it, at real time. Prints "BENCH <name> <value>":
//
//   title.cpu_pct            idle at the title, demo ticks included
//   play.cpu_pct             the autoplayer playing whole games, pauses and
//                            banners included; the CPU time the autoplayer
//                            spends planning is left out and given on its own
//                            as play.player_cpu_pct
//   play.yields_per_tick     yields of the game's loops per head step
//   input.key_to_paint_*_ms  from a Space key event reaching the field to the
//                            end of the first paint that shows the head past
//                            where it stood at the press: p50, p99 and max.
//                            The autoplayer presses just after a tick, so each
//                            press waits about a whole interval for the next.
//
//   marvo_play_bench [--title-seconds S] [--play-seconds S] [--presses N]
//
// The mixer records instead of playing: the sound library's own threads are
// not the game's loop.
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QTimer>
#include <cstring>

#include "bench/bench_util.h"
#include "qt/field_widget.h"
#include "qt/main_form.h"
#include "qt/qt_desktop.h"
#include "qt/qt_platform.h"
#include "qt/qt_text.h"
#include "shell/app.h"
#include "tests/support/autoplayer.h"
#include "tests/support/recording_mixer.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace marvo;
using bench::CpuSeconds;
using bench::Print;

// Yields pass through here on both sides of the autoplayer: what it spends in
// between (planning a stage, choosing presses) is its own, not the game's.
struct PlayerMeter {
  double entered = 0;     // CPU time when the outer yield began
  double player_cpu = 0;  // seconds spent between the outer and the inner yield
  long yields = 0;
};

class OuterYield final : public Platform {
 public:
  OuterYield(Platform& player, PlayerMeter& meter, std::function<void()> on_yield)
      : player_(player), meter_(meter), on_yield_(std::move(on_yield)) {}
  double Clock() override { return player_.Clock(); }
  uint32_t ClockSeed() override { return player_.ClockSeed(); }
  void Yield(double deadline) override {
    on_yield_();
    meter_.entered = CpuSeconds();
    player_.Yield(deadline);
  }

 private:
  Platform& player_;
  PlayerMeter& meter_;
  std::function<void()> on_yield_;
};

class InnerYield final : public Platform {
 public:
  InnerYield(Platform& platform, PlayerMeter& meter) : platform_(platform), meter_(meter) {}
  double Clock() override { return platform_.Clock(); }
  uint32_t ClockSeed() override { return platform_.ClockSeed(); }
  void Yield(double deadline) override {
    meter_.player_cpu += CpuSeconds() - meter_.entered;
    ++meter_.yields;
    platform_.Yield(deadline);
  }

 private:
  Platform& platform_;
  PlayerMeter& meter_;
};

// Times each Space press on the field to the paint that shows its turn: the
// first paint, after the head has moved, whose region holds the head.
class KeyToPaint final : public QObject {
 public:
  KeyToPaint(Platform& clock, const GameRecord& record) : clock_(clock), record_(record) {}
  std::vector<double> samples_ms;
  bool measuring = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!measuring) {
      pending_ = false;
      return false;
    }
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space && !pending_) {
      pending_ = true;
      pressed_ = clock_.Clock();
      x_ = record_.HeadX;
      y_ = record_.HeadY;
    } else if (event->type() == QEvent::Paint && pending_ &&
               (record_.HeadX != x_ || record_.HeadY != y_) &&
               static_cast<QPaintEvent*>(event)->region().contains(
                   QPoint(record_.HeadX, record_.HeadY))) {
      // The paint itself first, so that the sample ends with the field drawn.
      watched->event(event);
      samples_ms.push_back((clock_.Clock() - pressed_) * 1000.0);
      pending_ = false;
      return true;
    }
    return false;
  }

 private:
  Platform& clock_;
  const GameRecord& record_;
  bool pending_ = false;
  double pressed_ = 0;
  int16_t x_ = 0, y_ = 0;
};

void SendKey(QWidget& to, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(&to, &press);
}

}  // namespace

int main(int argc, char** argv) {
  double title_seconds = 20, play_seconds = 20;
  size_t presses = 200;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--title-seconds") == 0) title_seconds = std::atof(argv[i + 1]);
    if (std::strcmp(argv[i], "--play-seconds") == 0) play_seconds = std::atof(argv[i + 1]);
    if (std::strcmp(argv[i], "--presses") == 0) presses = size_t(std::atol(argv[i + 1]));
  }
  if (argc % 2 == 0 || title_seconds <= 0 || play_seconds <= 0 || presses < 1) {
    std::fprintf(stderr, "usage: %s [--title-seconds S] [--play-seconds S] [--presses N]\n",
                 argv[0]);
    return 2;
  }
  bench::PrepareQtEnvironment();
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  QApplication application(argc, argv);
  RegisterFontSubstitutions();

  QtPlatform platform;
  PlayerMeter meter;
  InnerYield inner(platform, meter);
  marvo::support::Autoplayer player(inner);
  // The span measured: from the first Enter until play_seconds have passed and
  // enough presses were timed; then the autoplayer lets the head crash.
  double start_wall = -1, start_cpu = 0, start_player = 0;
  long start_yields = 0;
  double wall = 0, cpu = 0, player_cpu = 0;
  long yields = 0, ticks = 0;
  int16_t last_x = 0, last_y = 0;
  const GameRecord* record = nullptr;
  KeyToPaint* timing = nullptr;
  OuterYield outer(player, meter, [&] {
    if (start_wall < 0 || !timing->measuring) return;
    if (record->HeadX != last_x || record->HeadY != last_y) ++ticks;
    last_x = record->HeadX;
    last_y = record->HeadY;
    if (platform.Clock() - start_wall >= play_seconds && timing->samples_ms.size() >= presses) {
      wall = platform.Clock() - start_wall;
      cpu = CpuSeconds() - start_cpu;
      player_cpu = meter.player_cpu - start_player;
      yields = meter.yields - start_yields;
      timing->measuring = false;
      player.playing = false;
    }
  });

  QtTextRasterizer text;
  QtDesktop desktop;
  RecordingMixer mixer;
  marvo::support::TempDir dir;
  App app(outer, text, desktop, mixer, dir.path());
  MainForm form(app.form, app);
  desktop.SetMainWindow(&form);
  platform.SetBeforeEvents([&form] { form.Mirror(); });
  auto* field = form.findChild<FieldWidget*>(QString::fromStdString(app.form.picSTAGE.name));
  if (field == nullptr) {
    std::fprintf(stderr, "play_bench: the main window has no field\n");
    return 1;
  }
  record = &app.record;
  KeyToPaint key_to_paint(platform, app.record);
  timing = &key_to_paint;
  field->installEventFilter(&key_to_paint);
  // Presses reach the field as the keyboard's do: posted, handled in a yield.
  player.Attach(app.record, app.form.picSTAGE, [field] {
    QCoreApplication::postEvent(
        field, new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")));
  });

  form.Load();
  form.ShowCentered();
  QCoreApplication::processEvents(QEventLoop::AllEvents);

  // The title, left alone.
  {
    QEventLoop idle;
    QTimer::singleShot(int(title_seconds * 1000), &idle, &QEventLoop::quit);
    const double cpu0 = CpuSeconds(), wall0 = platform.Clock();
    idle.exec();
    Print("title.cpu_pct", (CpuSeconds() - cpu0) / (platform.Clock() - wall0) * 100.0, "%.2f");
  }

  // Games, started with Enter as the player does, until the span is measured.
  key_to_paint.measuring = true;
  start_wall = platform.Clock();
  start_cpu = CpuSeconds();
  start_player = meter.player_cpu;
  start_yields = meter.yields;
  int games = 0;
  while (key_to_paint.measuring) {
    if (++games > 50) {
      std::fprintf(stderr, "play_bench: %zu presses timed in %d games\n",
                   key_to_paint.samples_ms.size(), games - 1);
      return 1;
    }
    SendKey(form, Qt::Key_Return, QStringLiteral("\r"));
  }

  Print("play.seconds", wall, "%.1f");
  Print("play.cpu_pct", (cpu - player_cpu) / wall * 100.0, "%.2f");
  Print("play.player_cpu_pct", player_cpu / wall * 100.0, "%.2f");
  Print("play.yields_per_tick", double(yields) / double(std::max(1L, ticks)), "%.1f");
  std::vector<double>& samples = key_to_paint.samples_ms;
  std::sort(samples.begin(), samples.end());
  Print("input.presses", double(samples.size()), "%.0f");
  Print("input.key_to_paint_p50_ms", bench::Percentile(samples, 0.50));
  Print("input.key_to_paint_ms", bench::Percentile(samples, 0.99));
  Print("input.key_to_paint_max_ms", samples.back());
  return 0;
}
