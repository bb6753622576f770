// Field values of the form "main-value; name=value; name="quoted value"".
#include <cstddef>

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

// The value at the start of text: a quoted string up to the next double quote (the rest
// when it is never closed), else a token up to a blank or ";".
std::string ValueAt(const std::string& text) {
  if (text.empty()) return text;
  std::string value;
  if (text[0] == '"') {
    std::size_t close = text.find('"', 1);
    value = close == std::string::npos ? text.substr(1) : text.substr(1, close - 1);
  } else {
    value = text.substr(0, text.find_first_of(" \t;"));
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
