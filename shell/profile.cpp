#include "shell/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>

namespace marvo {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerAscii(x) == LowerAscii(y);
         });
}

// What the game's 255-byte buffer would hold: up to the first NUL, at most
// kMaxValueLength characters.
std::string AsRead(std::string_view value) {
  value = value.substr(0, value.find('\0'));
  return std::string(value.substr(0, Profile::kMaxValueLength));
}

bool HasBreakOrNul(std::string_view s) {
  return s.find_first_of(std::string_view("\r\n\0", 3)) != s.npos;
}

bool Quoted(std::string_view v) {
  return v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
}

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

void Profile::Classify(Line& line, bool first) {
  std::string_view text = line.text;
  if (first && text.starts_with(kBom)) text.remove_prefix(kBom.size());
  text = Trim(text);
  line.kind = Kind::kOther;
  line.name.clear();
  if (text.starts_with('[')) {
    text.remove_prefix(1);
    line.kind = Kind::kSection;
    line.name = Trim(text.substr(0, text.find(']')));
    return;
  }
  // A line without "=" is a key without a value, as the platform reads it,
  // unless it is blank or a comment.
  const std::size_t eq = text.find('=');
  if (eq == text.npos && (text.empty() || text.starts_with(';'))) return;
  const std::string_view key = Trim(text.substr(0, eq));
  if (key.empty()) return;
  line.kind = Kind::kKey;
  line.name = key;
}

Profile Profile::Parse(std::string_view text) {
  Profile profile;
  std::size_t pos = 0;
  while (pos < text.size()) {
    Line line;
    const std::size_t end = text.find_first_of("\r\n", pos);
    if (end == text.npos) {
      line.text = text.substr(pos);
      pos = text.size();
    } else {
      line.text = text.substr(pos, end - pos);
      const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
      line.eol = text.substr(end, crlf ? 2 : 1);
      pos = end + line.eol.size();
    }
    Classify(line, profile.lines_.empty());
    profile.lines_.push_back(std::move(line));
  }
  return profile;
}

std::size_t Profile::FindSection(std::string_view section) const {
  section = Trim(section);
  if (section.empty()) return std::string::npos;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Kind::kSection && SameName(lines_[i].name, section)) return i;
  }
  return std::string::npos;
}

std::size_t Profile::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && lines_[i].kind != Kind::kSection) ++i;
  return i;
}

std::string Profile::DefaultEol() const {
  for (const Line& line : lines_) {
    if (!line.eol.empty()) return line.eol;
  }
  return "\n";
}

std::string Profile::Get(std::string_view section, std::string_view key,
                         std::string_view fallback) const {
  key = Trim(key);
  const std::size_t header = FindSection(section);
  if (header == std::string::npos || key.empty()) return AsRead(fallback);
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    const Line& line = lines_[i];
    if (line.kind != Kind::kKey || !SameName(line.name, key)) continue;
    const std::size_t eq = line.text.find('=');
    if (eq == line.text.npos) return AsRead(fallback);  // a key without a value
    std::string_view value = Trim(std::string_view(line.text).substr(eq + 1));
    if (Quoted(value)) value = value.substr(1, value.size() - 2);
    return AsRead(value);
  }
  return AsRead(fallback);
}

bool Profile::Set(std::string_view section, std::string_view key, std::string_view value) {
  if (section.empty() || key.empty() || Trim(section) != section || Trim(key) != key ||
      Trim(value) != value || HasBreakOrNul(section) || HasBreakOrNul(key) ||
      HasBreakOrNul(value) || section.find(']') != section.npos || key.find('=') != key.npos ||
      key.starts_with('[') || Quoted(value) || value.size() > kMaxValueLength) {
    return false;
  }
  const std::string eol = DefaultEol();
  const std::size_t header = FindSection(section);
  if (header != std::string::npos) {
    const std::size_t end = SectionEnd(header);
    std::size_t insert_at = header + 1;
    for (std::size_t i = header + 1; i < end; ++i) {
      Line& line = lines_[i];
      if (line.kind != Kind::kKey) continue;
      if (SameName(line.name, key)) {
        line.text = line.name + "=" + std::string(value);
        return true;
      }
      insert_at = i + 1;
    }
    if (lines_[insert_at - 1].eol.empty()) lines_[insert_at - 1].eol = eol;
    Line added{std::string(key) + "=" + std::string(value), eol, Kind::kKey, std::string(key)};
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), std::move(added));
    return true;
  }
  // A new section goes at the end, set off by a blank line from what is there.
  if (!lines_.empty()) {
    Line& last = lines_.back();
    if (last.eol.empty()) last.eol = eol;
    std::string_view last_text = last.text;
    if (lines_.size() == 1 && last_text.starts_with(kBom)) last_text.remove_prefix(kBom.size());
    if (!Trim(last_text).empty()) lines_.push_back(Line{"", eol, Kind::kOther, ""});
  }
  lines_.push_back(
      Line{"[" + std::string(section) + "]", eol, Kind::kSection, std::string(section)});
  lines_.push_back(
      Line{std::string(key) + "=" + std::string(value), eol, Kind::kKey, std::string(key)});
  return true;
}

std::string Profile::Text() const {
  std::string text;
  for (const Line& line : lines_) {
    text += line.text;
    text += line.eol;
  }
  return text;
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

}  // namespace marvo
