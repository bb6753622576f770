// Field values of the form "main-value; name=value; name="quoted value"".
#include <cstddef>
#include <cstring>

#include "quillet/message/header/header_text.h"
#include "quillet/message/header/header_utils.h"

using gbk::CharLength;
using header_text::IsBlank;
using gbk::UpperCase;

std::string MainValue(const std::string& fieldValue) {
  std::string value = Trim(fieldValue);
  std::size_t end = value.find_first_of(" \t;");
  return Trim(value.substr(0, end));
}

namespace {

// A match that starts a parameter: after the start, a ";" or a blank, and followed by
// optional blanks and "=".
bool IsParameterStart(const std::string& value, std::size_t pos, std::size_t length) {
  if (pos > 0) {
    char before = value[pos - 1];
    if (before != ';' && !IsBlank(before)) return false;
  }
  std::size_t after = pos + length;
  while (after < value.size() && IsBlank(value[after])) ++after;
  return after < value.size() && value[after] == '=';
}

// Where the (upper-cased) name occurs outside quoted values: the first occurrence that
// starts a parameter, else the first occurrence at all (so "NAME" is still found inside
// "FILENAME" when there is nothing better). npos when it does not occur. Quoted values
// are skipped so that a boundary such as "=_charset_" never answers for charset.
std::size_t FindParamName(const std::string& upperValue, const std::string& upperName) {
  std::size_t firstMatch = std::string::npos;
  std::size_t pos = 0;
  while (pos < upperValue.size()) {
    if (upperValue[pos] == '"') {
      std::size_t close = upperValue.find('"', pos + 1);
      if (close == std::string::npos) break;
      pos = close + 1;
      continue;
    }
    if (upperValue.compare(pos, upperName.size(), upperName) == 0) {
      if (IsParameterStart(upperValue, pos, upperName.size())) return pos;
      if (firstMatch == std::string::npos) firstMatch = pos;
    }
    pos += CharLength(upperValue, pos);
  }
  return firstMatch;
}

// A character of an RFC 2045 token: printable ASCII other than the specials.
bool IsTokenChar(char c) {
  return c > ' ' && c < 0x7F && std::strchr("()<>@,;:\\\"/[]?=", c) == nullptr;
}

// True when text at pos (after a blank) starts another parameter ("token=", blanks
// allowed before the "=") or a comment ("(").
bool StartsParameterOrComment(const std::string& text, std::size_t pos) {
  if (pos < text.size() && text[pos] == '(') return true;
  std::size_t end = pos;
  while (end < text.size() && IsTokenChar(text[end])) ++end;
  if (end == pos) return false;
  while (end < text.size() && IsBlank(text[end])) ++end;
  return end < text.size() && text[end] == '=';
}

// The end of an unquoted value: the next ";", or a blank after which another parameter
// or a comment follows. Mailers write names with blanks unquoted
// ("filename=This is a test.txt"), so a blank alone does not end the value. Neither ";"
// nor a blank can be a GBK trail byte.
std::size_t UnquotedValueEnd(const std::string& text) {
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    if (text[pos] == ';') return pos;
    if (!IsBlank(text[pos])) continue;
    std::size_t next = pos;
    while (next < text.size() && IsBlank(text[next])) ++next;
    if (StartsParameterOrComment(text, next)) return pos;
    pos = next - 1;
  }
  return text.size();
}

// The value at the start of text: a quoted string up to the next double quote (the rest
// when it is never closed), else an unquoted value as UnquotedValueEnd finds it.
std::string ValueAt(const std::string& text) {
  if (text.empty()) return text;
  std::string value;
  if (text[0] == '"') {
    std::size_t close = text.find('"', 1);
    value = close == std::string::npos ? text.substr(1) : text.substr(1, close - 1);
  } else {
    value = text.substr(0, UnquotedValueEnd(text));
  }
  if (!value.empty() && value.back() == ';') value.pop_back();
  return Trim(value);
}

}  // namespace

std::string GetParam(const std::string& paramName, const std::string& fieldValue) {
  const std::string name = UpperCase(Trim(paramName));
  if (name.empty()) return k_unableToGet;
  std::size_t pos = FindParamName(UpperCase(fieldValue), name);
  if (pos == std::string::npos) return k_unableToGet;
  std::string rest = Trim(fieldValue.substr(pos + name.size()));
  if (!rest.empty() && rest[0] == '=') rest = Trim(rest.substr(1));
  return ValueAt(rest);
}
