#include "quillet/message/header/mime_params.h"

#include <map>

#include "platform/charset.h"
#include "quillet/common/gbk.h"
#include "quillet/message/header/header_text.h"
#include "quillet/message/header/header_utils.h"

namespace msgdecode {

namespace {

using gbk::CharLength;
using gbk::UpperCase;
using header_text::IsBlank;

// attribute (upper case) -> value, for every "attribute=value" after the first ";".
std::map<std::string, std::string> ParameterList(const std::string& value) {
  std::map<std::string, std::string> list;
  size_t i = value.find(';');
  while (i != std::string::npos && i < value.size()) {
    ++i;  // past the ";"
    size_t equals = value.find_first_of("=;", i);
    if (equals == std::string::npos || value[equals] == ';') {
      i = equals;
      continue;
    }
    std::string attribute = UpperCase(Trim(value.substr(i, equals - i)));
    i = equals + 1;
    while (i < value.size() && IsBlank(value[i])) ++i;
    std::string text;
    if (i < value.size() && value[i] == '"') {
      // Double-byte characters are stepped over whole: a trail byte 0x5C is no escape.
      for (++i; i < value.size() && value[i] != '"';) {
        if (value[i] == '\\' && i + 1 < value.size()) ++i;
        size_t length = CharLength(value, i);
        text.append(value, i, length);
        i += length;
      }
      i = value.find(';', i);
    } else {
      size_t end = value.find(';', i);
      text = Trim(value.substr(i, end == std::string::npos ? std::string::npos : end - i));
      i = end;
    }
    list.emplace(attribute, text);
  }
  return list;
}

std::string PercentDecoded(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    int high = i + 2 < text.size() && text[i] == '%' ? gbk::HexDigitValue(text[i + 1]) : -1;
    int low = high >= 0 ? gbk::HexDigitValue(text[i + 2]) : -1;
    if (low >= 0) {
      out += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// charset'language'text: the text, percent-decoded, and the charset.
std::string ExtendedValue(const std::string& value, std::string& charset) {
  size_t first = value.find('\'');
  size_t second = first == std::string::npos ? std::string::npos : value.find('\'', first + 1);
  if (second == std::string::npos) return PercentDecoded(value);
  charset = value.substr(0, first);
  return PercentDecoded(value.substr(second + 1));
}

// The RFC 2231 value of the parameter, if the field has one.
bool ExtendedParam(const std::string& name, const std::string& fieldValue, std::string& value, std::string& charset) {
  if (fieldValue.find('*') == std::string::npos) return false;
  const std::map<std::string, std::string> list = ParameterList(fieldValue);
  const std::string upper = UpperCase(name);
  auto whole = list.find(upper + "*");
  if (whole != list.end()) {
    value = ExtendedValue(whole->second, charset);
    return true;
  }
  bool found = false;
  for (int piece = 0;; ++piece) {
    const std::string key = upper + "*" + std::to_string(piece);
    auto encoded = list.find(key + "*");
    auto plain = list.find(key);
    if (encoded != list.end())
      value += piece == 0 ? ExtendedValue(encoded->second, charset) : PercentDecoded(encoded->second);
    else if (plain != list.end()) value += plain->second;
    else break;
    found = true;
  }
  return found;
}

}  // namespace

std::string GetMimeParam(const std::string& name, const std::string& fieldValue) {
  std::string value, charset;
  return ExtendedParam(name, fieldValue, value, charset) ? value : GetParam(name, fieldValue);
}

std::string GetMimeParamText(const std::string& name, const std::string& fieldValue) {
  std::string value, charset;
  if (!ExtendedParam(name, fieldValue, value, charset)) return GetParam(name, fieldValue);
  std::string converted;
  if (!charset.empty() && platform::ConvertToGbk(charset, value, converted)) return converted;
  return value;
}

}  // namespace msgdecode
