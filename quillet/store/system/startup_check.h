// The check of the ini file and the mail root that runs once at program start, before the
// system manager is created. The caller ends the program (exit code 2) when it fails.
#pragma once

#include <string>

#include "quillet/common/user_prompts.h"

// What the composition root knows at start.
struct TStartupPlace {
  std::string iniPath;            // see IniFilePath (command_line.h)
  std::string directoryArgument;  // the command line's directory; empty when there is none
  std::string executablePath;
  std::string executableFolder;
};

// 1. When the ini file exists: [System] "sentbox" is set to "sent" (a file that cannot be
//    written keeps its value; the check goes on), and when [System] "Initialized" is
//    nonzero the check succeeds if [System] "mailroot" names an existing folder, else
//    shows k_textMailDirectoryMissing, the path, a line break and k_textCheckIniFile and
//    fails.
// 2. Otherwise (no file, or not initialised) the first run: the base directory is the
//    directory argument, else the executable's folder; when it does not exist,
//    k_textDirectoryMissing and the path are shown and the check fails. The mail root,
//    base directory + "mail", is created when absent (k_textMailDirectoryCreate and the
//    path when it cannot be). [System] "mailroot", "inbox" = "in", "outbox" = "out",
//    "sentbox" = "sent", "trashbox" = "trash", "addressbox" = "address" and
//    "Initialized" = 1 are written in one step (the exception's text is shown and the
//    check fails when the file cannot be written); then RecordProgram.
// 3. After either success, RegisterMailClient. Registry failures never fail the check.
bool RunStartupCheck(const TStartupPlace& place, TUserPrompts& prompts);

// The mail-root check: true when the folder exists; otherwise shows
// k_textDirectoryNotExists, the path, CR LF and k_textCheckIniFileLower and returns false.
bool CheckMailRoot(const std::string& mailRoot, TUserPrompts& prompts);
