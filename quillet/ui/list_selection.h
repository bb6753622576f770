// The message list's selection as message ids, and the list and tree shown again after a
// command changed the mailboxes.
#pragma once

#include <cstdint>
#include <vector>

#include "quillet/ui/tree_window.h"

namespace quillet::ui {

// The ids of the selected rows, top to bottom.
std::vector<std::int32_t> SelectedIds(const TTreeWindow& window);
// The row with the focus, else the first selected; -1 for none.
int FocusedRow(const TTreeWindow& window);
// Selects exactly the rows of these ids (those still listed), the first focused and in view.
void SelectIds(TTreeWindow* window, const std::vector<std::int32_t>& ids);
// The tree's counts and the current mailbox's list read again (the first mailbox when the
// current one is gone: set window->current to null first); the selected messages that are
// still listed stay selected.
void ShowChanges(TTreeWindow* window);

}  // namespace quillet::ui
