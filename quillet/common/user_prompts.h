// How core code talks to the user: the GUI answers with message boxes, the command line
// with the terminal or its --yes/--no options, tests with a script.
#pragma once

#include <string>

class TUserPrompts {
 public:
  virtual ~TUserPrompts() = default;
  // A message the user must acknowledge (an error or a warning). Text in GBK.
  virtual void ShowMessage(const std::string& text) = 0;
  // A yes/no question; the safe answer is No.
  virtual bool AskYesNo(const std::string& text) = 0;
  // Asks for a password (GBK question). False when the user cancels; the password is
  // then left as it was.
  virtual bool AskPassword(const std::string& question, std::string& password) = 0;
};
