// What the groups of the mail commands share: the window they act on, their conditions
// and the guard around their work.
#pragma once

#include <functional>

#include "quillet/ui/client_start.h"

namespace quillet::ui {

TTreeWindow& Tree(TClientApp* app);
// A mailbox is shown; rows of it are selected.
bool HasCurrent(TClientApp* app);
bool HasSelection(TClientApp* app);
// Runs a command's work: a failure's text is shown; then the tree and the list are shown
// again, and viewers whose message went are closed.
void RunAndShow(TClientApp* app, const std::function<void()>& work);

void AddMessageCommands(TClientApp* app);  // marking, label, transfer, delete, sort, drop
void AddBoxCommands(TClientApp* app);      // the mailbox menu
void AddFileCommands(TClientApp* app);     // import, export, find, find again

}  // namespace quillet::ui
