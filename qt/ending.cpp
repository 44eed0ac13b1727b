#include "qt/ending.h"

#include <fcntl.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <cerrno>

namespace marvo {

namespace {

constexpr int kSignals[3] = {SIGTERM, SIGINT, SIGHUP};

// The write end of the pipe, for the handler; -1 while no SessionEnding lives.
volatile sig_atomic_t g_write_end = -1;

extern "C" void NoteSignal(int signal_number) {
  const int saved_errno = errno;
  const int fd = g_write_end;
  if (fd >= 0) {
    const char byte = char(signal_number);
    // A full pipe already holds a request to close: losing this byte is harmless.
    [[maybe_unused]] const ssize_t written = write(fd, &byte, 1);
  }
  errno = saved_errno;
}

}  // namespace

SessionEnding::SessionEnding(std::function<void()> close_main_window)
    : close_main_window_(std::move(close_main_window)) {
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    // Logging out: the session manager's last word before it ends the session.
    connect(app, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager&) { close_main_window_(); });
  }

  if (g_write_end >= 0) {
    error_ = EBUSY;
    return;
  }
  if (pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
    error_ = errno;
    return;
  }
  g_write_end = pipe_[1];
  struct sigaction action = {};
  action.sa_handler = NoteSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int i = 0; i < 3; ++i) {
    installed_[i] = sigaction(kSignals[i], &action, &previous_[i]) == 0;
    if (!installed_[i]) error_ = errno;
  }

  notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { Drain(); });
}

SessionEnding::~SessionEnding() {
  for (int i = 0; i < 3; ++i) {
    if (installed_[i]) sigaction(kSignals[i], &previous_[i], nullptr);
  }
  if (pipe_[0] >= 0) {
    g_write_end = -1;
    delete notifier_;
    close(pipe_[0]);
    close(pipe_[1]);
  }
}

void SessionEnding::Drain() {
  char bytes[64];
  bool any = false;
  while (read(pipe_[0], bytes, sizeof bytes) > 0) any = true;
  // Several signals in a row close the window once.
  if (any) close_main_window_();
}

}  // namespace marvo
