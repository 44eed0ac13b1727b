#pragma once
// What the benchmarks share: the process's CPU time, percentiles, the
// environment a Qt benchmark starts in, and the "BENCH <name> <value>" lines.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace marvo::bench {

inline double CpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// The value below which a share p (0..1) of the sorted values lie.
inline double Percentile(const std::vector<double>& sorted, double p) {
  return sorted[std::min(sorted.size() - 1, size_t(p * double(sorted.size())))];
}

inline void Print(const std::string& name, double value, const char* format = "%.3f") {
  std::printf("BENCH %s ", name.c_str());
  std::printf(format, value);
  std::printf("\n");
  std::fflush(stdout);
}

// Qt's offscreen platform unless another is asked for, and a runtime folder.
inline void PrepareQtEnvironment() {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
    const std::string dir = "/tmp/runtime-" + std::to_string(getuid());
    mkdir(dir.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
  }
}

}  // namespace marvo::bench
