#pragma once

#include <functional>
#include <string>

namespace marvo {

// An exclusive lock on a folder, held from construction to destruction, so
// that two copies of the game never read, merge and replace a file in it at
// once. The lock is on the folder itself: a lock on the file would guard
// nothing, since every save renames a new file over it, and no lock file is
// ever left beside it. Copies that do not take the lock are not held up.
class FolderLock {
 public:
  // Tries for up to `patience` seconds. `wait` sleeps the given seconds between
  // tries (the real clock when empty).
  explicit FolderLock(const std::string& dir, double patience = 1.0,
                      const std::function<void(double)>& wait = {});
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

}  // namespace marvo
