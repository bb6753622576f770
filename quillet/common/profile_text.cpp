#include "quillet/common/profile_text.h"

#include <limits>

#include "quillet/common/common_texts.h"
#include "quillet/common/exceptions.h"
#include "quillet/common/gbk.h"

namespace {

constexpr char k_lineEnd[] = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string Trim(const std::string& text, std::size_t from, std::size_t to) {
  while (from < to && IsBlank(text[from])) ++from;
  while (to > from && IsBlank(text[to - 1])) --to;
  return text.substr(from, to - from);
}

std::string Trim(const std::string& text) { return Trim(text, 0, text.size()); }

std::size_t FirstNonBlank(const std::string& line) {
  std::size_t pos = 0;
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  return pos;
}

// "[name]" with anything after the "]"; false for any other line, "[" without "]" too.
bool SectionHeader(const std::string& line, std::string& name) {
  const std::size_t open = FirstNonBlank(line);
  if (open == line.size() || line[open] != '[') return false;
  for (std::size_t pos = open + 1; pos < line.size(); pos = gbk::NextChar(line, pos)) {
    if (line[pos] == ']') {
      name = Trim(line, open + 1, pos);
      return true;
    }
  }
  return false;
}

// A value in a pair of matching quotes reads without them.
std::string Unquoted(std::string value) {
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
    return value.substr(1, value.size() - 2);
  return value;
}

// "key=value"; false for section headers, comments and lines without "=". ("=" is never
// a GBK trail byte, so a plain search is safe.)
bool Entry(const std::string& line, std::string& key, std::string& value) {
  const std::size_t start = FirstNonBlank(line);
  if (start == line.size() || line[start] == '[' || line[start] == ';') return false;
  const std::size_t equals = line.find('=', start);
  if (equals == std::string::npos) return false;
  key = Trim(line, start, equals);
  value = Unquoted(Trim(line, equals + 1, line.size()));
  return true;
}

bool HasLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

// A name is refused unless the line written for it reads back as that name: this catches
// "]" in a section name, a section name ending in a GBK lead byte (which would swallow
// the closing "]"), "=" in a key, and keys that would read as a comment or a section.
void CheckNames(const std::string& section, const std::string& key) {
  const std::string trimmedSection = Trim(section), trimmedKey = Trim(key);
  std::string name, readKey, readValue;
  if (HasLineBreak(section) || !SectionHeader("[" + trimmedSection + "]", name) || name != trimmedSection)
    throw Exception(std::string(k_textProfileName) + ": " + section);
  if (trimmedKey.empty() || HasLineBreak(key) || !Entry(trimmedKey + "=", readKey, readValue) || readKey != trimmedKey)
    throw Exception(std::string(k_textProfileName) + ": " + key);
}

}  // namespace

TProfileText::TProfileText(const std::string& bytes) {
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t newline = bytes.find('\n', start);
    if (newline == std::string::npos) {
      lines_.push_back({bytes.substr(start), std::string()});
      break;
    }
    const bool crlf = newline > start && bytes[newline - 1] == '\r';
    const std::size_t textEnd = crlf ? newline - 1 : newline;
    lines_.push_back({bytes.substr(start, textEnd - start), crlf ? "\r\n" : "\n"});
    start = newline + 1;
  }
}

std::string TProfileText::Bytes() const {
  std::string bytes;
  for (const TLine& line : lines_) bytes += line.text + line.end;
  return bytes;
}

std::size_t TProfileText::FindSection(const std::string& section) const {
  const std::string wanted = Trim(section);
  std::string name;
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (SectionHeader(lines_[i].text, name) && gbk::EqualNoCase(name, wanted)) return i;
  return lines_.size();
}

std::size_t TProfileText::SectionEnd(std::size_t header) const {
  std::string name;
  for (std::size_t i = header + 1; i < lines_.size(); ++i)
    if (SectionHeader(lines_[i].text, name)) return i;
  return lines_.size();
}

std::size_t TProfileText::FindKey(std::size_t header, std::size_t end, const std::string& key) const {
  const std::string wanted = Trim(key);
  std::string name, value;
  for (std::size_t i = header + 1; i < end; ++i)
    if (Entry(lines_[i].text, name, value) && gbk::EqualNoCase(name, wanted)) return i;
  return end;
}

std::string TProfileText::ReadString(const std::string& section, const std::string& key,
                                     const std::string& defaultValue) const {
  const std::size_t header = FindSection(section);
  if (header == lines_.size()) return defaultValue;
  const std::size_t end = SectionEnd(header);
  const std::size_t at = FindKey(header, end, key);
  std::string name, value;
  if (at == end || !Entry(lines_[at].text, name, value)) return defaultValue;
  return value;
}

std::int32_t TProfileText::ReadInteger(const std::string& section, const std::string& key,
                                       std::int32_t defaultValue) const {
  const std::string text = ReadString(section, key, std::string());
  std::size_t pos = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) ++pos;
  const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                                      : std::numeric_limits<std::int32_t>::max();
  std::int64_t number = 0;
  const std::size_t firstDigit = pos;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    number = number * 10 + (text[pos] - '0');
    if (number > limit) return defaultValue;
  }
  if (pos == firstDigit) return defaultValue;
  return static_cast<std::int32_t>(negative ? -number : number);
}

std::vector<std::string> TProfileText::SectionNames() const {
  std::vector<std::string> names;
  std::string name;
  for (const TLine& line : lines_)
    if (SectionHeader(line.text, name)) names.push_back(name);
  return names;
}

bool TProfileText::SectionExists(const std::string& section) const { return FindSection(section) != lines_.size(); }

void TProfileText::Insert(std::size_t at, const std::string& text) {
  if (at > 0 && lines_[at - 1].end.empty()) lines_[at - 1].end = k_lineEnd;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), TLine{text, k_lineEnd});
}

void TProfileText::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  CheckNames(section, key);
  if (HasLineBreak(value)) throw Exception(std::string(k_textProfileValue) + ": " + value);
  const std::size_t header = FindSection(section);
  if (header == lines_.size()) {
    if (!lines_.empty() && !Trim(lines_.back().text).empty()) Insert(lines_.size(), std::string());
    Insert(lines_.size(), "[" + Trim(section) + "]");
    Insert(lines_.size(), Trim(key) + "=" + value);
    return;
  }
  const std::size_t end = SectionEnd(header);
  const std::size_t at = FindKey(header, end, key);
  std::string name, old;
  if (at != end && Entry(lines_[at].text, name, old)) {
    lines_[at].text = name + "=" + value;  // the key keeps the spelling it has in the file
    return;
  }
  std::size_t after = header + 1;
  for (std::size_t i = header + 1; i < end; ++i)
    if (!Trim(lines_[i].text).empty()) after = i + 1;
  Insert(after, Trim(key) + "=" + value);
}

void TProfileText::WriteInteger(const std::string& section, const std::string& key, std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void TProfileText::EraseKey(const std::string& section, const std::string& key) {
  const std::size_t header = FindSection(section);
  if (header == lines_.size()) return;
  for (std::size_t end = SectionEnd(header), at = FindKey(header, end, key); at != end;
       end = SectionEnd(header), at = FindKey(header, end, key))
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(at));
}

void TProfileText::EraseSection(const std::string& section) {
  for (std::size_t header = FindSection(section); header != lines_.size(); header = FindSection(section))
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header)));
}
