// The question at start whether the program becomes the system's default mail program:
// the question, the check box "ask again at every start" and Yes / No.
#pragma once

#include <windows.h>

#include <string>

#include "quillet/common/user_prompts.h"

namespace quillet::ui {

// When the question is due (DefaultMailerQuestionDue: [Network] CheckMailer set and the
// program not the default), asks it in its dialog and applies the answer
// (ApplyDefaultMailerAnswer: the check box cleared writes CheckMailer = 0, Yes writes the
// open command and a refused write is told through `prompts`).
void OfferDefaultMailer(const std::string& iniPath, const std::string& executablePath, TUserPrompts& prompts);

}  // namespace quillet::ui
