// Any bytes as a settings file: the text comes back unchanged, a value set
// reads back after the text is parsed again, and nothing else changes meaning.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "shell/profile.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

void AddDistinct(std::vector<std::string>& names, std::string_view name) {
  for (const std::string& n : names) {
    if (SameName(n, name)) return;
  }
  names.emplace_back(name);
}

// The section names of a text and the key names of each, distinct and in order
// of first appearance, found by a scan of its own so the profile is checked
// against something other than itself.
struct Names {
  std::vector<std::string> sections;
  std::vector<std::vector<std::string>> keys;  // of the first section of each name
};

Names ScanNames(std::string_view text) {
  Names names;
  std::vector<std::string>* keys = nullptr;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == text.npos ? text.size() : end + 1);
    if (line.starts_with('[')) {
      const std::string_view name = Trim(line.substr(1, line.find(']') - 1));
      keys = nullptr;
      if (name.empty()) continue;
      const std::size_t before = names.sections.size();
      AddDistinct(names.sections, name);
      if (names.sections.size() > before) keys = &names.keys.emplace_back();
    } else if (keys && !line.empty() && !line.starts_with(';')) {
      const std::string_view key = Trim(line.substr(0, line.find('=')));
      if (!key.empty()) AddDistinct(*keys, key);
    }
  }
  return names;
}

struct Entry {
  std::string section, key, value;
};

constexpr std::string_view kFallback = "\x01(none)";

void SetAndCheck(const marvo::Profile& original, const std::vector<Entry>& before,
                 const std::string& section, const std::string& key, const std::string& value) {
  marvo::Profile changed = original;
  if (!changed.Set(section, key, value)) {
    Check(changed.Text() == original.Text());
    return;
  }
  const marvo::Profile again = marvo::Profile::Parse(changed.Text());
  Check(again.Get(section, key, kFallback) == value);
  for (const Entry& e : before) {
    if (SameName(e.section, section) && SameName(e.key, key)) continue;
    Check(again.Get(e.section, e.key, kFallback) == e.value);
  }
  // Sections keep their order; at most the one set is new, at the end.
  const std::vector<std::string> old_names = ScanNames(original.Text()).sections;
  std::vector<std::string> new_names = ScanNames(again.Text()).sections;
  if (new_names.size() == old_names.size() + 1) {
    Check(SameName(new_names.back(), section));
    new_names.pop_back();
  }
  Check(new_names == old_names);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const marvo::Profile profile = marvo::Profile::Parse(text);
  Check(profile.Text() == text);

  std::vector<Entry> before;
  const Names names = ScanNames(text);
  const std::vector<std::string>& sections = names.sections;
  for (std::size_t s = 0; s < sections.size() && s < 8; ++s) {
    const std::vector<std::string>& keys = names.keys[s];
    for (std::size_t k = 0; k < keys.size() && k < 16; ++k) {
      const std::string value = profile.Get(sections[s], keys[k], kFallback);
      Check(value.size() <= marvo::Profile::kMaxValueLength);
      before.push_back({sections[s], keys[k], value});
    }
  }
  Check(profile.Get("MARVOSTEL", "BGM", "0").size() <= marvo::Profile::kMaxValueLength);

  // A value from the tail of the input, which Set may well refuse.
  const std::string tail(text.substr(size > 8 ? size - 8 : 0));
  SetAndCheck(profile, before, "MARVOSTEL", "BGM", "1");
  SetAndCheck(profile, before, "MARVOSTEL", "HISCORE5", tail);
  if (!sections.empty()) {
    SetAndCheck(profile, before, sections.front(), "NewKey", "v");
    if (!before.empty())
      SetAndCheck(profile, before, before.back().section, before.back().key, tail);
  }
  return 0;
}
