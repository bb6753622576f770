// What a command-line front end needs from the OS.
#pragma once

#include <string>
#include <vector>

namespace platform {

// Puts the standard streams in binary mode, so message bytes pass unchanged.
void SetBinaryStdio();
bool StdinIsTerminal();
// Reads one line from the terminal without echo (for passwords); false at end of input.
bool ReadHiddenLine(std::string& line);
// The folder of the running executable, with a trailing separator.
std::string ExecutableFolder();
// The program's arguments (without the program name) as byte strings the file layer
// accepts: posix passes argv through, win32 takes the UTF-16 command line to GBK.
std::vector<std::string> CommandLineArguments(int argc, char** argv);
// A text argument (a subject, a name) in GBK: posix terminals type UTF-8, the win32
// arguments above are GBK already.
std::string ArgumentToGbk(const std::string& arg);
// Empty when unset.
std::string GetEnvironment(const std::string& name);

}  // namespace platform
