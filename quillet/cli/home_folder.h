// Where the mail client's home folder is: the folder that holds its ini file
// (quillet.INI), which in turn names the mail root.
//
// main calls this once and hands the result to the commands in TCliContext::home. It is
// the one place that decides; when the system manager takes over start-up (the ini file,
// the mail root, the standard mailboxes), its own decision replaces this function.
#pragma once

#include <string>

// The --home option when given, else the environment variable QUILLET_HOME, else the
// executable's folder.
std::string ResolveHomeFolder(const std::string& homeOption);

// The mail client's ini file in the home folder: always "quillet.INI".
std::string ClientIniPath(const std::string& home);
