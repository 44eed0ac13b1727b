// Start-up time and title-screen memory of the real game. Starts the binary a
// number of times on the display it is given; each time it measures from just
// before exec to the first painted frame, which the paint probe preloaded into
// the game (paint_probe.cpp) reports on stderr, then reads the resident memory a while later,
// with the title showing, and ends the game. Prints "BENCH <name> <value>":
//
//   startup.first_frame_ms        median over the starts
//   startup.first_frame_max_ms    the slowest start (often the first, cold caches)
//   memory.title_rss_mb           median VmRSS with the title showing
//   startup.bare_qt_ms            median first frame of BARE_QT, a bare Qt window
//                                 started in turn with the game, when given
//   memory.bare_qt_rss_mb         median VmRSS of BARE_QT after the same settling
//
//   marvo_startup_bench GAME [BARE_QT] [--starts N] [--settle SECONDS]
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr char kProbe[] = "MARVO_BENCH_PROBE first_paint_ns ";
constexpr double kFirstPaintTimeout = 20.0;

long long MonotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (long long)now.tv_sec * 1000000000LL + now.tv_nsec;
}

// VmRSS of a process in megabytes (MiB), or nothing when it cannot be read.
std::optional<double> ResidentMb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;  // kB
  }
  return std::nullopt;
}

// Ends the game: politely first, then for good.
void End(pid_t pid) {
  kill(pid, SIGTERM);
  for (int i = 0; i < 40; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    usleep(50000);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

struct Start {
  double first_frame_ms = 0;
  double rss_mb = 0;
};

// One start of the game; the game's stderr is passed on, but for the probe line.
std::optional<Start> StartOnce(const char* game, double settle) {
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) return std::nullopt;
  const long long before = MonotonicNs();
  const pid_t pid = fork();
  if (pid < 0) return std::nullopt;
  if (pid == 0) {
    dup2(out[1], STDERR_FILENO);
    execl(game, game, (char*)nullptr);
    std::perror("exec");
    _exit(127);
  }
  close(out[1]);
  // Reads the game's stderr until the probe line, and on through the settling
  // time, so a chatty game never blocks on a full pipe.
  std::string text;
  long long painted = -1, settled = -1;
  while (true) {
    const long long now = MonotonicNs();
    if (painted < 0 && double(now - before) * 1e-9 > kFirstPaintTimeout) break;
    if (painted >= 0 && now >= settled) break;
    pollfd p{out[0], POLLIN, 0};
    if (poll(&p, 1, 20) <= 0) continue;
    char buffer[4096];
    const ssize_t n = read(out[0], buffer, sizeof buffer);
    if (n <= 0) break;  // the game ended
    if (painted >= 0) continue;
    text.append(buffer, size_t(n));
    const size_t at = text.find(kProbe);
    if (at != std::string::npos && text.find('\n', at) != std::string::npos) {
      painted = std::atoll(text.c_str() + at + sizeof kProbe - 1);
      // The title is up; the start-up work after the first frame settles.
      settled = MonotonicNs() + (long long)(settle * 1e9);
    }
  }
  std::optional<Start> start;
  if (painted < 0) {
    std::fprintf(stderr, "startup_bench: no first paint reported; the game said:\n%s\n",
                 text.c_str());
  } else if (MonotonicNs() < settled) {
    std::fprintf(stderr, "startup_bench: the game ended with the title showing\n");
  } else if (const auto rss = ResidentMb(pid)) {
    start = Start{double(painted - before) * 1e-6, *rss};
  }
  close(out[0]);
  End(pid);
  return start;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s GAME [--starts N] [--settle SECONDS]\n", argv[0]);
    return 2;
  }
  const char* game = argv[1];
  int first_option = 2;
  const char* bare_qt = nullptr;
  if (argc > 2 && std::strncmp(argv[2], "--", 2) != 0) bare_qt = argv[first_option++];
  int starts = 7;
  double settle = 1.0;
  for (int i = first_option; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--starts") == 0) starts = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--settle") == 0) settle = std::atof(argv[i + 1]);
  }
  if (starts < 1 || settle < 0) {
    std::fprintf(stderr, "startup_bench: --starts wants 1 or more, --settle 0 or more\n");
    return 2;
  }
  setenv("SDL_AUDIODRIVER", "dummy", 1);

  // The two programs take turns, so both meet the same load on the machine.
  std::vector<double> frames, rss, bare_frames, bare_rss;
  for (int i = 0; i < starts; ++i) {
    const auto start = StartOnce(game, settle);
    if (!start) return 1;
    frames.push_back(start->first_frame_ms);
    rss.push_back(start->rss_mb);
    if (bare_qt == nullptr) continue;
    const auto bare = StartOnce(bare_qt, settle);
    if (!bare) return 1;
    bare_frames.push_back(bare->first_frame_ms);
    bare_rss.push_back(bare->rss_mb);
  }
  std::printf("BENCH startup.first_frame_ms %.1f\n", Median(frames));
  std::printf("BENCH startup.first_frame_max_ms %.1f\n",
              *std::max_element(frames.begin(), frames.end()));
  std::printf("BENCH memory.title_rss_mb %.1f\n", Median(rss));
  if (bare_qt != nullptr) {
    std::printf("BENCH memory.bare_qt_rss_mb %.1f\n", Median(bare_rss));
    std::printf("BENCH startup.bare_qt_ms %.1f\n", Median(bare_frames));
  }
  return 0;
}
