// The summary a received (or imported) message gets in its mailbox, worked out by
// parsing it: unread, the attachment flag, the decoded sender's display name and subject
// (at most 128 bytes each, never half a character), date, size, priority and the
// partial-message flag.
#pragma once

#include <cstdint>

#include "quillet/common/lines.h"
#include "quillet/common/stream.h"
#include "quillet/common/user_prompts.h"
#include "quillet/store/mailbox/mail_head.h"

struct TReceivedSummary {
  TMailHead head;           // Id -1: not stored yet
  TStringList headerLines;  // as the parser split them, for the assistant's rules
};

// Parses the whole stream. A parse error is shown and the summary is made from what
// was read.
TReceivedSummary SummariseReceived(TStream& message, TUserPrompts& prompts);
