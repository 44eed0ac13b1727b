#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace marvo {

// A private-profile (INI) text held line by line, read and written the way the
// game's settings have always been: names match whatever their case, names and
// values are trimmed, only the first section of a name and the first matching
// key in it count, a quoted value is read without its quotes, and a line with
// no "=" is a key without a value (read as missing, replaced when set). Lines before
// the first section header belong to no section. Every line keeps its own bytes
// and its own line ending, so a file that is only read gives back exactly the
// text it was parsed from, and a write touches nothing but the one key.
class Profile {
 public:
  // The longest value a read hands back: the game reads into a 255-byte buffer.
  static constexpr std::size_t kMaxValueLength = 254;

  // Any bytes at all: LF, CRLF and CR-only lines alike, a UTF-8 byte-order mark
  // before the first line, NUL bytes and lines of any length.
  static Profile Parse(std::string_view text);

  // The value of `key` in the first section named `section`, or `fallback` when
  // either is missing. A value ends at its first NUL byte and is cut to
  // kMaxValueLength characters; so is the fallback.
  std::string Get(std::string_view section, std::string_view key, std::string_view fallback) const;

  // Gives `key` the value `value`: in place when the key is there (keeping the
  // key as spelt in the file), otherwise as a new line after the last key of the
  // first section of that name, or in a new section at the end of the text.
  // Returns false and changes nothing when the names or the value could not be
  // stored so that Get reads them back unchanged: an empty name, a line break or
  // NUL byte anywhere, blanks around a name or the value, "=" in a key, "]" in a
  // section, a key starting with "[", a value in matching quotes or one longer
  // than kMaxValueLength.
  bool Set(std::string_view section, std::string_view key, std::string_view value);

  // The whole text, ready to be written.
  std::string Text() const;

  // Whether the first section named `section` holds `key` with a value.
  bool Has(std::string_view section, std::string_view key) const {
    return Get(section, key, "\n") != "\n";
  }

  // Whether a section of that name is in the text, even an empty one.
  bool HasSection(std::string_view section) const {
    return FindSection(section) != std::string::npos;
  }

 private:
  enum class Kind { kOther, kSection, kKey };
  struct Line {
    std::string text;  // without its line ending
    std::string eol;   // "\n", "\r\n", "\r", or empty on a last unterminated line
    Kind kind = Kind::kOther;
    std::string name;  // trimmed section or key name
  };

  static void Classify(Line& line, bool first);
  // The index of the first section header named `section`, or npos.
  std::size_t FindSection(std::string_view section) const;
  // One past the last line of the section whose header is at `header`.
  std::size_t SectionEnd(std::size_t header) const;
  std::string DefaultEol() const;

  std::vector<Line> lines_;
};

}  // namespace marvo
