// How an open message window follows its message when the mailboxes change: it keeps a
// message that is still live in its mailbox and closes when the message went (moved,
// deleted, its mailbox emptied or deleted), since its commands would act on a stale id.
// A delete or move run from the window itself shows the next message of the list instead.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "quillet/store/system/mailbox_set.h"

enum class TFollowAction { Keep, Show, Close };

struct TFollowStep {
  TFollowAction action = TFollowAction::Keep;
  std::int32_t id = -1;  // the message to show (Show only)
};

// Whether the window's message is still there: its mailbox one of the set (the object of
// a deleted mailbox is gone, so it is only compared by address) and the message live in
// it. A mailbox whose index cannot be read counts as still there: the window's next
// command tells the error. The mailbox is left made (the caller releases it).
bool ShownMessageLive(const TMailboxSet& set, TBoxObject* box, std::int32_t id);

// After a delete or move of the window's own message, given the list's order before it:
// Keep while the message is still live (a refused move), else Show the first live
// message listed after it, else Close.
TFollowStep StepAfterRemoval(const std::vector<std::int32_t>& listed, std::int32_t shown,
                             const std::function<bool(std::int32_t)>& live);
