#include "shell/profile.h"

#include <algorithm>
#include <cstddef>

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

}  // namespace

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
  // A line without "=" is a key without a value, as the operating system's
  // own settings-file reader takes it, unless it is blank or a comment.
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

}  // namespace marvo
