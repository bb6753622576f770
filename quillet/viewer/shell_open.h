// Starting a file with the program the system associates with it (the shell's "open",
// normal window). The GUI implements it with the shell; tests record the calls.
#pragma once

#include <string>

class TShellOpen {
 public:
  virtual ~TShellOpen() = default;
  // The shell's result: 32 or more on success, else its error number (31: no program is
  // associated with the file).
  virtual int Open(const std::string& path) = 0;
};

inline constexpr int k_shellNoAssociation = 31;

// What the user is told about a shell result: k_noAssociation for 31, k_fileOpenError
// with the number for any other result below 32, and nothing (empty) for a success.
std::string ShellOpenErrorText(int result);
