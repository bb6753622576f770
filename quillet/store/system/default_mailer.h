// Whether the program is the system's default mail program (the handler of "mailto"
// links), and making it so. The registry is read and written through platform/registry.h.
#pragma once

#include <string>

#include "quillet/common/user_prompts.h"
#include "quillet/store/system/setup_manager.h"

// Below HKEY_CLASSES_ROOT: the command that opens a "mailto" link, in its default value.
inline constexpr char k_mailtoCommandKey[] = "mailto\\shell\\open\\command";

// The path in double quotes.
std::string QuotedPath(const std::string& path);
// The executable's path in double quotes followed by " %1".
std::string MailOpenCommand(const std::string& executablePath);
// True when the mailto command key exists and its default value begins with the quoted
// executable path, ASCII letters compared without regard to case (double-byte characters
// by their bytes).
bool IsDefaultMailProgram(const std::string& executablePath);
// Writes the open command as the default value of the mailto command key; false when the
// registry refuses.
bool MakeDefaultMailProgram(const std::string& executablePath);
// Whether the start-up question is due: [Network] CheckMailer (default 1) is set and the
// program is not the default.
bool DefaultMailerQuestionDue(const TSetupManager& setup, const std::string& executablePath);
// The answer of the default-mail-program dialog: a cleared k_textAlwaysCheckMailer box
// writes [Network] CheckMailer = 0, so the question is not asked again; Yes writes the
// open command, and a refused write is shown as k_textRegistryWrite and the key. True
// when the open command was written.
bool ApplyDefaultMailerAnswer(const TSetupManager& setup, const std::string& executablePath, bool yes,
                              bool keepChecking, TUserPrompts& prompts);
// The start-up question without the check box: when [Network] CheckMailer (default 1) is set and the program is
// not the default, asks k_textBecomeDefaultMailer; Yes writes the open command, and a
// failure to write it is shown as k_textRegistryWrite and the key. True when the open
// command was written.
bool OfferToBecomeDefaultMailProgram(const TSetupManager& setup, const std::string& executablePath,
                                     TUserPrompts& prompts);
