// The rule file "assist.dat", little-endian: a 19-byte signature (never compared on
// reading), a 2-byte rule count, then per rule: enabled, action kind (2 bytes each),
// from, to, cc, subject, target (each a 2-byte length and that many bytes), flag (2 bytes).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "quillet/common/exceptions.h"
#include "quillet/store/assistant/one_action.h"

using TActionList = std::vector<TOneAction>;

// A rule list that the file's 2-byte fields cannot hold.
class EAssistFileError : public Exception {
 public:
  using Exception::Exception;
};

inline constexpr std::size_t k_assistSignatureSize = 19;
inline constexpr std::size_t k_assistHeaderSize = k_assistSignatureSize + 2;

// What was wrong with a rule file; the rules before the fault are sound.
enum class TAssistFault {
  None = 0,
  NoHeader = 1,        // shorter than the signature and the count
  RecordCut = 2,       // a rule's field or string runs past the end
  MissingRecords = 3,  // the file ends on a rule boundary before the counted rules
  TrailingBytes = 4,   // bytes follow the last counted rule (all rules are loaded)
};

struct TAssistReadResult {
  TActionList rules;  // the sound rules, in file order
  TAssistFault fault = TAssistFault::None;
  std::size_t declaredCount = 0;  // the rule count the file gives
  std::size_t faultOffset = 0;    // where the fault was found
};

// Never throws on bad bytes: reads every whole rule and reports the first fault.
TAssistReadResult DecodeAssistFile(const std::string& bytes);
// The whole file for the rules; EAssistFileError when a text or the count does not fit.
std::string EncodeAssistFile(const TActionList& rules);
// A sentence for the user: the file, the fault and how many rules were loaded.
std::string DescribeAssistFault(const std::string& fileName, const TAssistReadResult& result);
