#pragma once

#include <unistd.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace marvo {

// Closes a descriptor on every path out.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now, reporting the result; the descriptor is gone either way.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

enum class FileRead { kOk, kMissing, kFailed };

// The largest settings file read: the game's own is a few dozen bytes, and a
// bigger file is not one it wrote, so it is neither read nor overwritten.
inline constexpr std::size_t kMaxTextFileSize = 16u << 20;

// Reads a whole regular file into `text`. kMissing when nothing is at `path`;
// kFailed when it cannot be read, is not a regular file (a directory, a pipe) or
// is larger than kMaxTextFileSize. `text` is changed only on kOk.
FileRead ReadTextFile(const std::string& path, std::string& text);

// Replaces the file at `path` with `text` so that the old file stays whole
// unless the new one is fully on disk: writes a new file beside it, syncs it,
// renames it over the old one and syncs the folder. Returns false on any failure
// (no leftover file; the old file untouched unless only the final folder sync
// failed). A new file takes the old one's permissions, or the usual ones. A
// symbolic link at `path` is written through: the new file goes beside the
// link's final target and replaces it, and the link stays. errno tells why a
// replacement failed.
bool ReplaceFileAtomically(const std::string& path, std::string_view text);

// Where `path` leads once every symbolic link on the way is followed (the
// path itself when it is no link or names nothing); empty, with errno set, when
// the links go round in a loop or cannot be read.
std::string FollowLinks(std::string path);

// An exclusive lock on a folder, held from construction to destruction, so
// that two copies of the game never read, merge and replace a file in it at
// once. The lock is on the folder itself: a lock on the file would guard
// nothing, since every save renames a new file over it, and no lock file is
// ever left beside it. Copies that do not take the lock are not held up.
class FolderLock {
 public:
  // Tries for up to a second.
  explicit FolderLock(const std::string& dir);
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock();

  bool Held() const { return held_; }
  // Why the lock is not held: the reason from the system, or that it stayed
  // taken for the whole time.
  const std::string& Failure() const { return failure_; }

 private:
  int fd_ = -1;
  bool held_ = false;
  std::string failure_;
};

// Makes the folder `dir` and any missing folder above it (readable by the user
// alone). True when `dir` is a folder afterwards; otherwise errno tells why.
bool MakeFolders(const std::string& dir);

// True when `path` names a regular file that can be opened for reading.
bool FileExists(const std::string& path);

}  // namespace marvo
