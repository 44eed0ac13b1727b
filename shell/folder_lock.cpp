#include "shell/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

namespace marvo {

namespace {

constexpr double kTryEvery = 0.005;

void Sleep(double seconds) {
  timespec span{0, static_cast<long>(seconds * 1e9)};
  while (::nanosleep(&span, &span) != 0 && errno == EINTR) {
  }
}

}  // namespace

FolderLock::FolderLock(const std::string& dir, double patience,
                       const std::function<void(double)>& wait) {
  fd_ = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) {
    failure_ = std::strerror(errno);
    return;
  }
  for (double waited = 0;; waited += kTryEvery) {
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
      held_ = true;
      return;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) {
      failure_ = std::strerror(errno);
      return;
    }
    if (waited >= patience) break;
    wait ? wait(kTryEvery) : Sleep(kTryEvery);
  }
  failure_ = "held by another copy all the while";
}

FolderLock::~FolderLock() {
  // Closing the folder's last descriptor lets the lock go.
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace marvo
