#include "platform/console.h"

#include "platform/charset.h"

#include <cstdlib>
#include <iostream>
#include <limits.h>
#include <termios.h>
#include <unistd.h>

namespace platform {

void SetBinaryStdio() {}

bool StdinIsTerminal() { return ::isatty(STDIN_FILENO) == 1; }

bool ReadHiddenLine(std::string& line) {
  struct termios old;
  bool terminal = ::tcgetattr(STDIN_FILENO, &old) == 0;
  if (terminal) {
    struct termios quiet = old;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    ::tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
  }
  bool ok = static_cast<bool>(std::getline(std::cin, line));
  if (terminal) {
    ::tcsetattr(STDIN_FILENO, TCSANOW, &old);
    std::cerr << '\n';
  }
  return ok;
}

std::string ExecutablePath() {
  char buffer[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return n <= 0 ? std::string() : std::string(buffer, static_cast<size_t>(n));
}

std::string ExecutableFolder() {
  const std::string path = ExecutablePath();
  return path.empty() ? "./" : path.substr(0, path.find_last_of('/') + 1);
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::string ArgumentToGbk(const std::string& arg) { return Utf8ToGbk(arg); }

std::string PathToUtf8(const std::string& path) { return path; }

std::string GetEnvironment(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  return value ? value : "";
}

bool SetEnvironment(const std::string& name, const std::string& value) {
  return (value.empty() ? ::unsetenv(name.c_str()) : ::setenv(name.c_str(), value.c_str(), 1)) == 0;
}

}  // namespace platform
