// Reads fuzzed bytes as a rule file: the sound rules must write back and read again
// unchanged, and a file read without fault must write back byte for byte (its
// signature aside, which the reader does not compare).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "quillet/store/assistant/assist_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const TAssistReadResult result = DecodeAssistFile(input);
  if (result.rules.size() > result.declaredCount) std::abort();
  if ((result.fault == TAssistFault::None) != DescribeAssistFault("f", result).empty()) std::abort();

  const std::string written = EncodeAssistFile(result.rules);
  const TAssistReadResult again = DecodeAssistFile(written);
  if (again.fault != TAssistFault::None || !(again.rules == result.rules)) std::abort();
  if (result.fault == TAssistFault::None &&
      written.compare(k_assistSignatureSize, std::string::npos, input, k_assistSignatureSize, std::string::npos) != 0)
    std::abort();

  TStringList header{"From: a", "Subject: " + input.substr(0, 64)};
  for (const TOneAction& rule : result.rules) rule.Matches(header);
  return 0;
}
