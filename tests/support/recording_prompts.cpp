#include "tests/support/recording_prompts.h"

namespace test_support {

void TRecordingPrompts::ShowMessage(const std::string& text) { shown.push_back(text); }

bool TRecordingPrompts::AskYesNo(const std::string& text) {
  asked.push_back(text);
  return answer_;
}

bool TRecordingPrompts::AskPassword(const std::string& question, std::string& password) {
  passwordQuestions.push_back(question);
  if (passwordQuestions.size() > passwords.size()) return false;
  password = passwords[passwordQuestions.size() - 1];
  return true;
}

}  // namespace test_support
