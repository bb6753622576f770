// One marking of messages: a summary field and its new value.
#pragma once

#include <cstdint>

#include "quillet/store/mailbox/mail_head.h"

enum class TMarkField { State, Unread, Label, Replied, Priority };

struct TMarkChange {
  TMarkField field = TMarkField::Unread;
  // State, Unread and Priority (1 highest .. 5 lowest) take the low byte; Replied is
  // nonzero or not.
  std::uint16_t value = 0;
};

// Sets the field; true when the head changed (only then does it need writing).
bool ApplyMark(TMailHead& head, const TMarkChange& change);
