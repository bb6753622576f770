#include "tests/support/recording_prompts.h"

namespace test_support {

void TRecordingPrompts::ShowMessage(const std::string& text) { shown.push_back(text); }

bool TRecordingPrompts::AskYesNo(const std::string& text) {
  asked.push_back(text);
  return answer_;
}

}  // namespace test_support
