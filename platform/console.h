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
// The full path of the running executable.
std::string ExecutablePath();
// The folder of the running executable, with a trailing separator.
std::string ExecutableFolder();
// The program's arguments (without the program name) as byte strings the file layer
// accepts: posix passes argv through, win32 takes the UTF-16 command line to GBK.
std::vector<std::string> CommandLineArguments(int argc, char** argv);
// A text argument (a subject, a name) in GBK: posix terminals type UTF-8, the win32
// arguments above are GBK already.
std::string ArgumentToGbk(const std::string& arg);
// A path as the terminal's UTF-8: win32 paths are GBK, posix paths are the file system's
// own bytes and pass unchanged.
std::string PathToUtf8(const std::string& path);
// Empty when unset.
std::string GetEnvironment(const std::string& name);
// Sets a variable of this process (and of the programs it starts); an empty value
// removes it. False on failure.
bool SetEnvironment(const std::string& name, const std::string& value);

}  // namespace platform
