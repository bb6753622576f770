// The priority of a message from its priority fields (X-Priority, X-MSMail-Priority, ...).
#include <cstddef>

#include "quillet/message/header/header_text.h"
#include "quillet/message/header/header_utils.h"

using header_text::IsBlank;
using gbk::UpperCase;

namespace {

constexpr int k_priorityHigh = 1;
constexpr int k_priorityNormal = 3;
constexpr int k_priorityLow = 5;

int PriorityOfValue(const std::string& upperValue) {
  if (upperValue.find("LOW") != std::string::npos) return k_priorityLow;
  if (upperValue.find("HIGH") != std::string::npos) return k_priorityHigh;
  std::size_t digit = upperValue.find_first_of("0123456789");
  if (digit == std::string::npos) return k_priorityNormal;
  switch (upperValue[digit]) {
    case '1': case '2': return k_priorityHigh;
    case '4': case '5': return k_priorityLow;
    default: return k_priorityNormal;
  }
}

}  // namespace

// The first field whose name contains fieldName decides. Only the name part (before the
// ":") is searched, so "Subject: top priority: 1" is not taken for a priority field.
int GetPriority(const TStringList& header, const std::string& fieldName) {
  const std::string wanted = UpperCase(Trim(fieldName));
  if (wanted.empty()) return k_priorityNormal;
  for (const std::string& line : header) {
    if (line.empty() || IsBlank(line[0])) continue;
    std::size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    if (UpperCase(line.substr(0, colon)).find(wanted) == std::string::npos) continue;
    return PriorityOfValue(UpperCase(line.substr(colon + 1)));
  }
  return k_priorityNormal;
}
