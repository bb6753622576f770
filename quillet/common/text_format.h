// Texts with "%s" places, filled in order (the system's message patterns).
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>

// Each "%s" of the pattern takes the next value; places beyond the values stay empty, and
// a value is never searched for places itself.
inline std::string FormatText(const std::string& pattern, std::initializer_list<std::string> values) {
  std::string result;
  auto next = values.begin();
  std::size_t from = 0;
  for (std::size_t at = pattern.find("%s"); at != std::string::npos; at = pattern.find("%s", from)) {
    result.append(pattern, from, at - from);
    if (next != values.end()) result += *next++;
    from = at + 2;
  }
  return result + pattern.substr(from);
}
