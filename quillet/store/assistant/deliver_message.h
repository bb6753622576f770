// Filing one received message: the assistant's first matching rule names the mailbox,
// else the inbox takes it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "quillet/common/stream.h"
#include "quillet/common/user_prompts.h"
#include "quillet/store/assistant/assistence.h"

// The mailboxes delivery may write to, as their owner knows them.
struct TDeliveryBoxes {
  // The base path of the mailbox with this display name; empty when there is none.
  std::function<std::string(const std::string& displayName)> basePathOf;
  std::string inboxBase;
};

struct TDeliveryResult {
  std::string mailboxName;  // the display name the progress report counts
  std::int32_t id = -1;     // the new message's id in that mailbox
};

// Stores the whole stream as a new unread message. A parse error, and a rule naming a
// mailbox that does not exist, are shown and the message is still stored (the latter in
// the inbox); an encrypted target silently gives way to the inbox.
TDeliveryResult DeliverMessage(const TAssistence& assistant, const TDeliveryBoxes& boxes, TStream& message,
                               TUserPrompts& prompts);
