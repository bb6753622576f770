// One mail assistant rule: conditions on four header fields and the mailbox that takes
// a matching message.
#pragma once

#include <cstdint>
#include <string>

#include "quillet/common/lines.h"

struct TOneAction {
  // Values the editor gives a new rule.
  static constexpr std::uint16_t k_enabled = 1;
  static constexpr std::uint16_t k_moveToMailbox = 1;
  static constexpr std::uint16_t k_newRuleFlag = 1;

  // The file keeps each of these as 2 bytes; every value is kept as read, so a kind or a
  // flag this program does not know is written back unchanged.
  std::uint16_t enabled = k_enabled;
  std::uint16_t actionKind = k_moveToMailbox;
  std::string from;
  std::string to;
  std::string cc;
  std::string subject;
  std::string target;  // display name of the target mailbox
  std::uint16_t flag = k_newRuleFlag;

  // The rule's enabled byte is the low byte of its field.
  bool IsEnabled() const { return (enabled & 0xFF) != 0; }
  // Enabled, at least one condition, and every non-empty condition found (any ASCII
  // case) in the decoded value of its field.
  bool Matches(const TStringList& headerLines) const;

  bool operator==(const TOneAction& other) const {
    return enabled == other.enabled && actionKind == other.actionKind && from == other.from && to == other.to &&
           cc == other.cc && subject == other.subject && target == other.target && flag == other.flag;
  }
};

// True when the condition occurs in the value, ASCII letters of single-byte characters
// without regard to case; double-byte GBK characters compare by their bytes, and a match
// starts and ends on character boundaries of the value.
bool ContainsNoCase(const std::string& value, const std::string& condition);
