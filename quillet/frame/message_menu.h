// The message menu's submenus as data: marking, labels, the mailboxes to move to and the
// sort menu, so the window builds them and turns a choice into a system manager command.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "quillet/store/mailbox/head_sort.h"
#include "quillet/store/system/mailbox_set.h"
#include "quillet/store/system/mark_change.h"
#include "quillet/store/system/system_settings.h"

// M_msg_markunread, M_msg_markread, M_msg_markreplied, M_msg_markunreplied; none for any
// other item.
std::optional<TMarkChange> MarkChangeOfItem(const std::string& item);
// "<无>", then the names of labels 1 to 7; entry i sets label i.
std::vector<std::string> LabelMenuCaptions(const TSystemSettings& settings);
inline TMarkChange LabelChange(int entry) { return {TMarkField::Label, static_cast<std::uint16_t>(entry)}; }
// The mailboxes the selection can move to, in tree order: every one but the current.
std::vector<TBoxObject*> TransferTargets(const TMailboxSet& set, const TBoxObject& current);
// The sort menu's column items (M_sort_none ... M_sort_read); none for M_sort_ascender
// (it turns the direction round) and any other item.
std::optional<THeadColumn> SortColumnOfItem(const std::string& item);

// The viewer's priority menu: POP_High, POP_normal, POP_low give 1, 3 and 5; the item
// checked for a message's priority (PriorityIconOf, message_list.h).
std::optional<std::uint8_t> PriorityOfItem(const std::string& item);
std::string PriorityItemOf(std::uint8_t priority);
