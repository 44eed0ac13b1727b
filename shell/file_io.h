#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
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

// The kinds of file the game reads, each with the largest it takes: anything
// bigger is not one of the game's own and is left alone.
enum class DataFile {
  kSettings,     // a few dozen bytes of its own; 16 MiB
  kHelp,         // a few kilobytes of Markdown; 1 MiB
  kTranslation,  // a couple of kilobytes; 4 MiB
  kWave,         // the longest track is 6.5 MB; 64 MiB
  kReplay,       // a game's key presses; 16 MiB
};
std::size_t MaxFileSize(DataFile kind);

// The largest settings file read: the game's own is a few dozen bytes, and a
// bigger file is not one it wrote, so it is neither read nor overwritten.
inline constexpr std::size_t kMaxTextFileSize = 16u << 20;

// Reads a whole file of at most `limit` bytes into `bytes`. Opened without
// blocking and read only when it is a regular file, so that a pipe, a device
// or a folder in its place is turned away before a single read. kMissing when
// nothing is at `path`; kFailed, with `reason` in a few words, when it cannot
// be opened or read, is not a regular file or is larger than `limit`. Only the
// first `head` bytes are read when that is fewer; the file's whole size still
// counts against `limit`. `bytes` is changed only on kOk.
FileRead ReadFileChecked(const std::string& path, std::size_t limit, std::string& bytes,
                         std::string& reason, std::size_t head = SIZE_MAX);

// Says on stderr, in one line, that the game goes on without the file at
// `path`, and why.
void SayNotUsed(const std::string& path, const std::string& reason);

// The same for a file of the game's: the limit of its kind, and a file that is
// there but cannot be used is named on stderr in one line with the reason, so
// that the game goes on without it as if it were missing. `reason`, when
// given, receives the reason for kMissing and kFailed alike.
FileRead ReadDataFile(const std::string& path, DataFile kind, std::string& bytes,
                      std::string* reason = nullptr, std::size_t head = SIZE_MAX);

// A wave file for the sound backend: true with its bytes (the first `head` of
// them when fewer), false when it is missing or cannot be used.
bool ReadWaveFile(const std::string& path, std::size_t head, std::string& bytes);

// How a text file stores its characters: byte for byte (ASCII, UTF-8 with or
// without its mark, or anything else), or UTF-16 known by its byte-order mark.
enum class TextEncoding { kBytes, kUtf16Le, kUtf16Be };

// A text file's bytes as the text the game parses: UTF-16 becomes UTF-8
// without the mark, anything else is taken as it is. False, with the reason,
// when a UTF-16 text does not convert exactly (an odd trailing byte, a lone
// surrogate); `text` and `encoding` are then unchanged.
bool DecodeText(std::string_view bytes, std::string& text, TextEncoding& encoding,
                std::string& reason);

// The bytes that store `text` as `encoding` (UTF-16 with its mark), so that
// DecodeText gives back the bytes it was given. False when `text` is not valid
// UTF-8 and so has no exact UTF-16 form.
bool EncodeText(std::string_view text, TextEncoding encoding, std::string& bytes);

// A text file of the game's, read as ReadDataFile reads it and converted as
// DecodeText converts it; one that does not convert is said and left alike.
FileRead ReadDataText(const std::string& path, DataFile kind, std::string& text,
                      std::string* reason = nullptr);

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
