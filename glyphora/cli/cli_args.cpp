#include "glyphora/cli/cli_args.h"

#include <cstdlib>

namespace glyphora::cli {

std::string CliArgs::Word(const char* what) {
  for (auto it = args_.begin(); it != args_.end(); ++it) {
    if (it->size() > 2 && it->compare(0, 2, "--") == 0) {
      if (it + 1 == args_.end()) break;
      ++it;  // an option's value
      continue;
    }
    std::string word = *it;
    args_.erase(it);
    return word;
  }
  throw UsageError(std::string("missing ") + what);
}

std::string CliArgs::Option(const char* name, const std::string& fallback) {
  for (auto it = args_.begin(); it != args_.end(); ++it) {
    if (*it != name) continue;
    if (it + 1 == args_.end()) throw UsageError(std::string(name) + " needs a value");
    std::string value = *(it + 1);
    args_.erase(it, it + 2);
    return value;
  }
  return fallback;
}

bool CliArgs::Flag(const char* name) {
  for (auto it = args_.begin(); it != args_.end(); ++it) {
    if (*it != name) continue;
    args_.erase(it);
    return true;
  }
  return false;
}

int CliArgs::NumberOption(const char* name, int fallback, int first, int last) {
  std::string value = Option(name, "");
  return value.empty() ? fallback : ParseNumber(value, name, first, last);
}

void CliArgs::ExpectEnd() {
  if (!args_.empty()) throw UsageError("unexpected argument " + args_.front());
}

int ParseNumber(const std::string& text, const char* what, int first, int last) {
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || value < first || value > last)
    throw UsageError(std::string(what) + " must be a number from " + std::to_string(first) +
                     " to " + std::to_string(last));
  return static_cast<int>(value);
}

}  // namespace glyphora::cli
