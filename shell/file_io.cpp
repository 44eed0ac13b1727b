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
#include <utility>

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
    if (target.front() != '/' && slash != path.npos) target.insert(0, path, 0, slash + 1);
    path = std::move(target);
  }
  errno = ELOOP;
  return {};
}

void SayNotUsed(const std::string& path, const std::string& reason) {
  std::fprintf(stderr, "marvostel: %s not used: %s\n", path.c_str(), reason.c_str());
}

std::size_t MaxFileSize(DataFile kind) {
  switch (kind) {
    case DataFile::kSettings:
      return kMaxTextFileSize;
    case DataFile::kHelp:
      return std::size_t{1} << 20;
    case DataFile::kTranslation:
      return std::size_t{4} << 20;
    case DataFile::kWave:
      return std::size_t{64} << 20;
    case DataFile::kReplay:
      return std::size_t{16} << 20;
  }
  return 0;
}

FileRead ReadFileChecked(const std::string& path, std::size_t limit, std::string& bytes,
                         std::string& reason, std::size_t head) {
  // Non-blocking, so that a pipe in the file's place cannot hold up the caller
  // before it is found not to be a regular file.
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (fd.get() < 0) {
    reason = std::strerror(errno);
    // Under a file where a folder should be, nothing can be there either.
    return errno == ENOENT || errno == ENOTDIR ? FileRead::kMissing : FileRead::kFailed;
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) {
    reason = std::strerror(errno);
    return FileRead::kFailed;
  }
  if (!S_ISREG(st.st_mode)) {
    reason = S_ISDIR(st.st_mode)                          ? "a folder, not a file"
             : S_ISFIFO(st.st_mode)                       ? "a pipe, not a regular file"
             : S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) ? "a device, not a regular file"
                                                          : "not a regular file";
    return FileRead::kFailed;
  }
  const std::string too_big = "larger than " + (limit >= (1u << 20) && limit % (1u << 20) == 0
                                                    ? std::to_string(limit >> 20) + " MiB"
                                                    : std::to_string(limit) + " bytes");
  if (static_cast<uint64_t>(st.st_size) > limit) {
    reason = too_big;
    return FileRead::kFailed;
  }
  std::string data;
  char buf[65536];
  while (data.size() < head && data.size() <= limit) {
    const ssize_t n = ::read(fd.get(), buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      reason = std::strerror(errno);
      return FileRead::kFailed;
    }
    if (n == 0) break;
    data.append(buf, static_cast<std::size_t>(n));
  }
  // The file may have grown since it was measured.
  if (data.size() > limit && head > limit) {
    reason = too_big;
    return FileRead::kFailed;
  }
  if (data.size() > head) data.resize(head);
  bytes = std::move(data);
  return FileRead::kOk;
}

FileRead ReadDataFile(const std::string& path, DataFile kind, std::string& bytes,
                      std::string* reason, std::size_t head) {
  std::string why;
  const FileRead read = ReadFileChecked(path, MaxFileSize(kind), bytes, why, head);
  if (read == FileRead::kFailed) SayNotUsed(path, why);
  if (reason != nullptr) *reason = std::move(why);
  return read;
}

bool ReadWaveFile(const std::string& path, std::size_t head, std::string& bytes) {
  return ReadDataFile(path, DataFile::kWave, bytes, nullptr, head) == FileRead::kOk;
}

bool DecodeText(std::string_view bytes, std::string& text, TextEncoding& encoding,
                std::string& reason) {
  const bool le = bytes.starts_with("\xFF\xFE"), be = bytes.starts_with("\xFE\xFF");
  if (!le && !be) {
    text = bytes;
    encoding = TextEncoding::kBytes;
    return true;
  }
  if (bytes.size() % 2 != 0) {
    reason = "UTF-16 with an odd byte at its end";
    return false;
  }
  const auto unit = [&](std::size_t i) {
    const auto a = static_cast<unsigned char>(bytes[i]),
               b = static_cast<unsigned char>(bytes[i + 1]);
    return le ? static_cast<uint32_t>(a | b << 8) : static_cast<uint32_t>(b | a << 8);
  };
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 2; i < bytes.size(); i += 2) {
    uint32_t c = unit(i);
    if (c >= 0xD800 && c <= 0xDFFF) {
      const uint32_t low = i + 3 < bytes.size() ? unit(i + 2) : 0;
      if (c > 0xDBFF || low < 0xDC00 || low > 0xDFFF) {
        reason = "UTF-16 with a lone surrogate at byte " + std::to_string(i);
        return false;
      }
      c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | c >> 12);
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | c >> 18);
      out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  text = std::move(out);
  encoding = le ? TextEncoding::kUtf16Le : TextEncoding::kUtf16Be;
  return true;
}

bool EncodeText(std::string_view text, TextEncoding encoding, std::string& bytes) {
  if (encoding == TextEncoding::kBytes) {
    bytes = text;
    return true;
  }
  const bool le = encoding == TextEncoding::kUtf16Le;
  std::string out;
  out.reserve(text.size() * 2 + 2);
  const auto put = [&](uint32_t u) {
    out += static_cast<char>(le ? u & 0xFF : u >> 8);
    out += static_cast<char>(le ? u >> 8 : u & 0xFF);
  };
  put(0xFEFF);
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80                   ? 1
                               : lead >= 0xC2 && lead < 0xE0 ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    if (length == 0 || i + length > text.size()) return false;
    uint32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      c = c << 6 | (next & 0x3F);
    }
    // Overlong forms, surrogates and code points past U+10FFFF have no UTF-16.
    constexpr uint32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kLeast[length] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return false;
    if (c >= 0x10000) {
      put(0xD800 + ((c - 0x10000) >> 10));
      put(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      put(c);
    }
    i += length;
  }
  bytes = std::move(out);
  return true;
}

FileRead ReadDataText(const std::string& path, DataFile kind, std::string& text,
                      std::string* reason) {
  std::string bytes, why;
  FileRead read = ReadDataFile(path, kind, bytes, &why);
  TextEncoding encoding{};
  if (read == FileRead::kOk && !DecodeText(bytes, text, encoding, why)) {
    SayNotUsed(path, why);
    read = FileRead::kFailed;
  }
  if (reason != nullptr) *reason = std::move(why);
  return read;
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
    temp = prefix;
    temp.append(".").append(base).append(".").append(TempSuffix());
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
