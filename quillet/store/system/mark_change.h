// One marking of messages: a summary field and its new value.
#pragma once

#include <cstdint>

#include "quillet/store/mailbox/mail_head.h"

enum class TMarkField { State, Unread, Label, Replied };

struct TMarkChange {
  TMarkField field = TMarkField::Unread;
  std::uint16_t value = 0;  // State and Unread take the low byte; Replied is nonzero or not
};

// Sets the field; true when the head changed (only then does it need writing).
bool ApplyMark(TMailHead& head, const TMarkChange& change);
