// A TUserPrompts for tests: records every message shown and every question asked, and
// gives one fixed answer to the questions.
#pragma once

#include <string>
#include <vector>

#include "quillet/common/user_prompts.h"

namespace test_support {

class TRecordingPrompts : public TUserPrompts {
 public:
  explicit TRecordingPrompts(bool answer = false) : answer_(answer) {}
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  // Gives the next of `passwords` in order; cancels when they are used up.
  bool AskPassword(const std::string& question, std::string& password) override;

  std::vector<std::string> shown;
  std::vector<std::string> asked;
  std::vector<std::string> passwords;
  std::vector<std::string> passwordQuestions;

 private:
  bool answer_;
};

}  // namespace test_support
