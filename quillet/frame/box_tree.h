// The rows of the mailbox tree: the four standard mailboxes first, then the user's own in
// the order they were made, each named with its unread count when it has unread mail.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quillet/store/system/mailbox_set.h"

struct TTreeRow {
  TBoxObject* box = nullptr;
  std::int32_t unread = 0;
  std::string text;  // "收件箱" or, with unread mail, "收件箱 (3)"
};

// The text of a tree row.
std::string TreeRowText(const std::string& name, std::int32_t unread);
// The rows, the counts taken from each pair's header (no scan of the index). A mailbox
// whose files cannot be read is listed with no count rather than hiding the others.
std::vector<TTreeRow> MailboxTreeRows(const TMailboxSet& set);
