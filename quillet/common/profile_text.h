// The lines of a profile (ini) file in memory, read and changed as the Windows profile
// calls do it:
// - "[name]" starts a section; "key=value" is an entry of the section above it. Section
//   and key names compare without regard to ASCII case (double-byte characters by their
//   bytes); names and values are trimmed of blanks; a value in a pair of matching quotes
//   ('...' or "...") reads without them. The first matching section, and in it the first
//   matching key, wins.
// - Every other line (blank lines, ";" comments, damaged lines without "=" or without the
//   closing "]", entries before the first section) is ignored by reads and kept by writes.
// - A write replaces the entry's line in place, or adds "key=value" after the last
//   non-blank line of the section, or appends a new section at the end. Lines keep their
//   own line ends; new lines end in CR LF.
// Text is GBK bytes as they are in the file; the "]" that closes a section name is found
// stepping over double-byte characters (0x5D can be a trail byte).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TProfileText {
 public:
  TProfileText() = default;
  // The file's bytes, split into lines at LF (a CR before the LF belongs to the line end).
  explicit TProfileText(const std::string& bytes);
  // The bytes to store: every line with its line end.
  std::string Bytes() const;

  std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
  // An optional "-" and the leading decimal digits of the value; the default when the
  // key is absent or its value does not start with a number of 32 bits.
  std::int32_t ReadInteger(const std::string& section, const std::string& key, std::int32_t defaultValue) const;
  // The names of the sections in file order (duplicates included).
  std::vector<std::string> SectionNames() const;
  bool SectionExists(const std::string& section) const;

  // Throw Exception (k_textProfileName / k_textProfileValue) for a name or value that
  // would damage the file: a line break anywhere, "]" in a section name, an empty key,
  // "=" in a key or a key starting with "[" or ";". Nothing is changed then.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, std::int32_t value);
  // Removes every line of the key in the first matching section.
  void EraseKey(const std::string& section, const std::string& key);
  // Removes every section of that name: its header and all lines up to the next section.
  void EraseSection(const std::string& section);

 private:
  struct TLine {
    std::string text;  // without the line end
    std::string end;   // "\r\n", "\n" or empty (the last line of a file without one)
  };
  // Line index of the first matching section header; lines_.size() when there is none.
  std::size_t FindSection(const std::string& section) const;
  // The index after the last line of the section whose header is at `header`.
  std::size_t SectionEnd(std::size_t header) const;
  // Index of the first entry of the key in the section; `end` when there is none.
  std::size_t FindKey(std::size_t header, std::size_t end, const std::string& key) const;
  void Insert(std::size_t at, const std::string& text);

  std::vector<TLine> lines_;
};
