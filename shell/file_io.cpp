#include "shell/file_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace marvo {

namespace {

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const std::size_t chunk = std::min<std::size_t>(data.size(), std::size_t{1} << 20);
    const ssize_t n = ::write(fd, data.data(), chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// A name no other writer is likely to pick; O_EXCL settles any clash.
std::string TempSuffix() {
  static std::atomic<uint32_t> counter{0};
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const uint64_t mix = (static_cast<uint64_t>(::getpid()) << 40) ^
                       (static_cast<uint64_t>(now.tv_nsec) << 8) ^ counter.fetch_add(1);
  char buf[24];
  std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(mix));
  return buf;
}

}  // namespace

// The file a save lands in: symbolic links are followed to their target, so a
// link stays a link and its target gets the new text.
std::string FollowLinks(std::string path) {
  for (int hop = 0; hop < 40; ++hop) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::string target(4096, '\0');
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) {
      if (n >= 0) errno = ENAMETOOLONG;
      return {};
    }
    target.resize(static_cast<std::size_t>(n));
    const std::size_t slash = path.rfind('/');
    if (target.front() != '/' && slash != path.npos) target = path.substr(0, slash + 1) + target;
    path = std::move(target);
  }
  errno = ELOOP;
  return {};
}

FileRead ReadTextFile(const std::string& path, std::string& text) {
  // Non-blocking, so that a pipe in the file's place cannot hold up the caller
  // before it is found not to be a regular file.
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  // Under a file where a folder should be, nothing can be there either.
  if (fd.get() < 0) {
    return errno == ENOENT || errno == ENOTDIR ? FileRead::kMissing : FileRead::kFailed;
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return FileRead::kFailed;
  if (static_cast<uint64_t>(st.st_size) > kMaxTextFileSize) return FileRead::kFailed;
  std::string data;
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      return FileRead::kFailed;
    }
    if (n == 0) break;
    // The file may have grown since it was measured.
    if (data.size() + static_cast<std::size_t>(n) > kMaxTextFileSize) return FileRead::kFailed;
    data.append(buf, static_cast<std::size_t>(n));
  }
  text = std::move(data);
  return FileRead::kOk;
}

bool ReplaceFileAtomically(const std::string& link_or_file, std::string_view text) {
  const std::string path = FollowLinks(link_or_file);
  if (path.empty()) return false;
  const std::size_t slash = path.rfind('/');
  const std::string base = slash == path.npos ? path : path.substr(slash + 1);
  if (base.empty()) {
    errno = EISDIR;
    return false;
  }
  const std::string prefix = slash == path.npos ? "" : path.substr(0, slash + 1);
  const std::string dir = slash == path.npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));

  std::string temp;
  int raw = -1;
  for (int attempt = 0; attempt < 32 && raw < 0; ++attempt) {
    temp = prefix + "." + base + "." + TempSuffix();
    // 0666 lets the user's umask decide, as for any file the game creates.
    raw = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (raw < 0 && errno != EEXIST) return false;
  }
  if (raw < 0) return false;
  Fd fd(raw);

  bool ok = true;
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    ok = ::fchmod(fd.get(), old.st_mode & 07777) == 0;
  }
  ok = ok && WriteAll(fd.get(), text);
  ok = ok && ::fsync(fd.get()) == 0;
  ok = fd.Close() && ok;
  ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    const int reason = errno;
    ::unlink(temp.c_str());
    errno = reason;
    return false;
  }
  // The rename itself reaches the disk only with the folder.
  Fd folder(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  return folder.get() >= 0 && ::fsync(folder.get()) == 0;
}

bool MakeFolders(const std::string& dir) {
  for (std::size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
    const std::string part = dir.substr(0, slash);
    // Only the player can read the folders made for their own files.
    if (!part.empty() && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == dir.npos) break;
  }
  struct stat st {};
  if (::stat(dir.c_str(), &st) != 0) return false;
  if (S_ISDIR(st.st_mode)) return true;
  errno = ENOTDIR;
  return false;
}

bool FileExists(const std::string& path) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (fd.get() < 0) return false;
  struct stat st {};
  return ::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode);
}

namespace {

constexpr double kLockPatience = 1.0;  // seconds
constexpr long kLockTryEveryNs = 5'000'000;

double MonotonicSeconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

}  // namespace

FolderLock::FolderLock(const std::string& dir) {
  fd_ = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) {
    failure_ = std::strerror(errno);
    return;
  }
  const double give_up = MonotonicSeconds() + kLockPatience;
  for (;;) {
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
      held_ = true;
      return;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) {
      failure_ = std::strerror(errno);
      return;
    }
    if (MonotonicSeconds() >= give_up) break;
    const timespec pause{0, kLockTryEveryNs};
    ::nanosleep(&pause, nullptr);
  }
  failure_ = "held by another copy all the while";
}

FolderLock::~FolderLock() {
  // Closing the folder's last descriptor lets the lock go.
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace marvo
