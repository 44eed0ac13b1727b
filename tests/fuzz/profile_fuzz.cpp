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
  const std::vector<std::string> old_names = original.SectionNames();
  std::vector<std::string> new_names = again.SectionNames();
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
  const std::vector<std::string> sections = profile.SectionNames();
  for (std::size_t s = 0; s < sections.size() && s < 8; ++s) {
    const std::vector<std::string> keys = profile.KeyNames(sections[s]);
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
