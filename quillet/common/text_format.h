// Texts with "%s" and "%d" places, filled in order (the system's message patterns; a
// number is given as its decimal text).
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>

// Each place of the pattern takes the next value; places beyond the values stay empty, and
// a value is never searched for places itself.
inline std::string FormatText(const std::string& pattern, std::initializer_list<std::string> values) {
  std::string result;
  auto next = values.begin();
  std::size_t from = 0;
  const auto place = [&pattern](std::size_t start) {
    std::size_t at = pattern.find('%', start);
    while (at != std::string::npos && (at + 1 >= pattern.size() || (pattern[at + 1] != 's' && pattern[at + 1] != 'd')))
      at = pattern.find('%', at + 1);
    return at;
  };
  for (std::size_t at = place(0); at != std::string::npos; at = place(from)) {
    result.append(pattern, from, at - from);
    if (next != values.end()) result += *next++;
    from = at + 2;
  }
  return result + pattern.substr(from);
}
