// Any bytes as a settings file: the text comes back unchanged, a value set
// reads back after the text is parsed again, and nothing else changes meaning.
// A UTF-16 file is read through its conversion, which gives back its bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "shell/file_io.h"
#include "shell/profile.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool SameName(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  return std::ranges::equal(a, b, {}, lower, lower);
}

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// The section headers of a text in order, and each key line with the section
// it lies in, found by a scan of their own so the profile is checked against
// something other than itself.
struct Names {
  std::vector<std::string> sections;
  std::vector<std::pair<std::string, std::string>> keys;
};

Names ScanNames(std::string_view text) {
  Names names;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == text.npos ? text.size() : end + 1);
    if (line.starts_with('[')) {
      names.sections.emplace_back(Trim(line.substr(1, line.find(']') - 1)));
    } else if (!names.sections.empty() && !line.empty() && !line.starts_with(';')) {
      const std::string_view key = Trim(line.substr(0, line.find('=')));
      if (!key.empty()) names.keys.emplace_back(names.sections.back(), key);
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
  if (!changed.Set(section, key, value)) return Check(changed.Text() == original.Text());
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
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string decoded, reason, encoded;
  marvo::TextEncoding encoding{};
  if (!marvo::DecodeText(bytes, decoded, encoding, reason)) return 0;
  Check(marvo::EncodeText(decoded, encoding, encoded) && encoded == bytes);
  const std::string_view text = decoded;
  const marvo::Profile profile = marvo::Profile::Parse(text);
  Check(profile.Text() == text);

  std::vector<Entry> before;
  const Names names = ScanNames(text);
  for (std::size_t k = 0; k < names.keys.size() && k < 64; ++k) {
    const auto& [section, key] = names.keys[k];
    const std::string value = profile.Get(section, key, kFallback);
    Check(value.size() <= marvo::Profile::kMaxValueLength);
    before.push_back({section, key, value});
  }

  // A value from the tail of the input, which Set may well refuse.
  const std::string tail(text.substr(text.size() > 8 ? text.size() - 8 : 0));
  SetAndCheck(profile, before, "MARVOSTEL", "BGM", "1");
  SetAndCheck(profile, before, "MARVOSTEL", "HISCORE5", tail);
  if (!names.sections.empty()) {
    SetAndCheck(profile, before, names.sections.front(), "NewKey", "v");
    if (!before.empty())
      SetAndCheck(profile, before, before.back().section, before.back().key, tail);
  }
  return 0;
}
