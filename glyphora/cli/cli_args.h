// The arguments of one glyphora-cli command: positional words and "--name value" options.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "glyphora/convert/gray_table.h"

namespace glyphora::cli {

// A command line that does not follow the usage; main prints it with the usage text.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The display font and ramp options given before the command.
struct GlobalOptions {
  std::string font = "Courier New";
  int size = 9;
  std::string ramp = k_defaultRamp;
};

class CliArgs {
 public:
  explicit CliArgs(std::vector<std::string> args) : args_(std::move(args)) {}
  // The next positional word; UsageError naming what when there is none.
  std::string Word(const char* what);
  // The value of an option (taken out of the arguments), or fallback when absent.
  std::string Option(const char* name, const std::string& fallback);
  // Whether a flag without a value was given (taken out of the arguments). Take the
  // flags before the words: Word reads the word after any "--name" as its value.
  bool Flag(const char* name);
  // A number option within first ... last.
  int NumberOption(const char* name, int fallback, int first, int last);
  // UsageError when anything is left over.
  void ExpectEnd();

 private:
  std::vector<std::string> args_;
};

// A whole number within first ... last, else UsageError naming what.
int ParseNumber(const std::string& text, const char* what, int first, int last);

}  // namespace glyphora::cli
