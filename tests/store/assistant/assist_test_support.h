// Rule files built byte by byte, independently of the code that reads and writes them.
#pragma once

#include <string>

namespace assist_test {

inline const std::string k_signature = "MARTEN_ASSIST 1.0\r\n";

inline std::string U16(unsigned value) {
  return std::string{static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

inline std::string Str(const std::string& text) { return U16(static_cast<unsigned>(text.size())) + text; }

inline std::string RuleBytes(unsigned enabled, unsigned kind, const std::string& from, const std::string& to,
                             const std::string& cc, const std::string& subject, const std::string& target,
                             unsigned flag) {
  return U16(enabled) + U16(kind) + Str(from) + Str(to) + Str(cc) + Str(subject) + Str(target) + U16(flag);
}

inline std::string FileBytes(unsigned count, const std::string& records) { return k_signature + U16(count) + records; }

}  // namespace assist_test
