#include "quillet/ui/list_selection.h"

#include <commctrl.h>

namespace quillet::ui {

namespace {

void SetRowState(HWND list, int row, UINT state, UINT mask) {
  LVITEMW item{};
  item.state = state;
  item.stateMask = mask;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

std::vector<std::int32_t> SelectedIds(const TTreeWindow& window) {
  std::vector<std::int32_t> ids;
  int row = -1;
  while ((row = static_cast<int>(SendMessageW(window.list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))) >= 0) {
    if (row >= window.messages->Count()) break;
    ids.push_back(window.messages->Head(row).Id);
  }
  return ids;
}

int FocusedRow(const TTreeWindow& window) {
  const auto focused = static_cast<int>(SendMessageW(window.list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  if (focused >= 0 && (SendMessageW(window.list, LVM_GETITEMSTATE, static_cast<WPARAM>(focused), LVIS_SELECTED) != 0))
    return focused;
  return static_cast<int>(SendMessageW(window.list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SelectIds(TTreeWindow* window, const std::vector<std::int32_t>& ids) {
  SetRowState(window->list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  bool first = true;
  for (std::int32_t id : ids) {
    const int row = window->messages->RowOf(id);
    if (row < 0) continue;
    SetRowState(window->list, row, LVIS_SELECTED | (first ? LVIS_FOCUSED : 0u), LVIS_SELECTED | LVIS_FOCUSED);
    if (first) SendMessageW(window->list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    first = false;
  }
}

void ShowChanges(TTreeWindow* window) {
  const std::vector<std::int32_t> selected = SelectedIds(*window);
  const TBoxObject* before = window->current;  // ids mean nothing in another mailbox
  RefreshTree(window);
  for (std::size_t row = 0; row < window->rows.size(); ++row)
    if (window->rows[row].box == window->current || window->current == nullptr) {
      ShowMailbox(window, row);
      break;
    }
  SelectIds(window, window->current == before ? selected : std::vector<std::int32_t>());
  RefreshCommandStates(&window->frame);
}

}  // namespace quillet::ui
