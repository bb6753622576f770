// Open viewers follow their messages: a viewer whose message left its mailbox (moved,
// deleted, its mailbox emptied or deleted) closes, so that no command of it acts on a
// stale id; a delete or move run from a viewer shows the next message of the list in it,
// or closes it when there is none.
#pragma once

#include <cstdint>
#include <functional>

#include "quillet/store/system/box_object.h"

namespace quillet::ui {

struct TClientApp;
struct TViewerWindow;

// Closes the viewer window (its module forgets it).
void CloseViewer(TClientApp* app, TViewerWindow* viewer);
// Closes every viewer whose message is gone. Runs at once after each command that changes
// the mailboxes (RunAndShow), so the object of a deleted mailbox is never used.
void CloseStaleViewers(TClientApp* app);
// The frame's notices of changed mailboxes (any writer of the store) close stale viewers
// too, after what the frame did with them before.
void FollowMailboxChanges(TClientApp* app);
// Runs a delete or move of the active viewer's message (work gets its mailbox and id) as
// RunAndShow does; then the viewer keeps the message if it stayed, else shows the next
// live message of the list (selected in the list when it shows that mailbox), else
// closes. Nothing happens without an active viewer showing a message.
void RemoveViewerMessage(TClientApp* app, const std::function<void(TBoxObject& box, std::int32_t id)>& work);

}  // namespace quillet::ui
