#include "platform/console.h"

#include <windows.h>
#include <shellapi.h>
#include <fcntl.h>
#include <io.h>
#include <cstdio>
#include <iostream>

#include "platform/charset.h"
#include "platform/win32/wide.h"

namespace platform {

void SetBinaryStdio() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

bool StdinIsTerminal() { return _isatty(_fileno(stdin)) != 0; }

bool ReadHiddenLine(std::string& line) {
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD mode = 0;
  bool console = GetConsoleMode(input, &mode) != 0;
  if (console) SetConsoleMode(input, mode & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
  bool ok = static_cast<bool>(std::getline(std::cin, line));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (console) {
    SetConsoleMode(input, mode);
    std::cerr << '\n';
  }
  return ok;
}

std::string ExecutablePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {  // the path may be longer than MAX_PATH
    const DWORD n = GetModuleFileNameW(nullptr, &buffer[0], static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::string();
    if (n < buffer.size()) return win32::GbkFromWide(buffer.substr(0, n));
    buffer.resize(buffer.size() * 2);
  }
}

std::string ExecutableFolder() {
  const std::wstring path = win32::WideFromGbk(ExecutablePath());
  return win32::GbkFromWide(path.substr(0, path.find_last_of(L"\\/") + 1));
}

std::vector<std::string> CommandLineArguments(int, char**) {
  std::vector<std::string> args;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return args;
  for (int i = 1; i < count; ++i) args.push_back(win32::GbkFromWide(wide[i]));
  LocalFree(wide);
  return args;
}

std::string ArgumentToGbk(const std::string& arg) { return arg; }

std::string PathToUtf8(const std::string& path) { return GbkToUtf8(path); }

std::string GetEnvironment(const std::string& name) {
  std::wstring wide = win32::WideFromGbk(name);
  DWORD n = GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
  if (n == 0) return "";
  std::wstring value(n, L'\0');
  n = GetEnvironmentVariableW(wide.c_str(), &value[0], n);
  value.resize(n);
  return win32::GbkFromWide(value);
}

bool SetEnvironment(const std::string& name, const std::string& value) {
  const std::wstring wideName = win32::WideFromGbk(name);
  const std::wstring wideValue = win32::WideFromGbk(value);
  return SetEnvironmentVariableW(wideName.c_str(), value.empty() ? nullptr : wideValue.c_str()) != 0;
}

}  // namespace platform
