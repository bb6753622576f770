// The mail client's command line: an optional directory that holds the ini file, an
// optional "MAILTO:" address and a "-Z" or "/Z" switch with a value. Arguments are GBK
// text without the program name.
#pragma once

#include <optional>
#include <string>
#include <vector>

// The first argument that is neither a switch ("-" or "/" first) nor a "MAILTO:"
// argument (any case); empty when there is none. Empty arguments name nothing and are
// passed over.
std::string CommandLineDirectory(const std::vector<std::string>& args);
// The text after "MAILTO:" (any case) of the first argument that begins with it; empty
// when there is none.
std::string CommandLineMailAddress(const std::vector<std::string>& args);
// The value (the text from the third character) of the last argument that is "-" or "/",
// then "Z" or "z", then the value; none when no argument is such a switch. "-Z" alone
// gives an empty value.
std::optional<std::string> CommandLineZSwitch(const std::vector<std::string>& args);

// Where the ini file lies: the executable's file name with the extension ".INI"
// (quillet.exe: quillet.INI), in the directory argument when there is one, else beside
// the executable.
std::string IniFilePath(const std::string& directoryArgument, const std::string& executablePath);
