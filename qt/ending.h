#pragma once

#include <QObject>
#include <csignal>
#include <functional>

class QSocketNotifier;

namespace marvo {

// Ends the game the ordinary way when the system or the session asks it to:
// SIGTERM, SIGINT and SIGHUP, and the session manager's end of session, all
// lead to `close_main_window` being run from the event loop (also from the
// loops a running game pumps), so the settings are written as with the close
// box. The signal handler itself only writes a byte down a pipe. One at a
// time; the previous handlers come back when it goes.
class SessionEnding final : public QObject {
 public:
  explicit SessionEnding(std::function<void()> close_main_window);
  ~SessionEnding() override;
  SessionEnding(const SessionEnding&) = delete;
  SessionEnding& operator=(const SessionEnding&) = delete;

  // False when the pipe or the handlers could not be set up: the signals then
  // keep their usual effect.
  bool Active() const { return notifier_ != nullptr; }
  // Why it is not active: an errno value (EBUSY while another one lives).
  int Error() const { return error_; }

 private:
  void Drain();

  std::function<void()> close_main_window_;
  QSocketNotifier* notifier_ = nullptr;
  int pipe_[2] = {-1, -1};
  struct sigaction previous_[3] = {};
  bool installed_[3] = {};
  int error_ = 0;
};

}  // namespace marvo
