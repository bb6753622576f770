// TF_tree: the MDI child that holds the mailbox tree (left) and the message list of the
// chosen mailbox (right, a virtual list view whose rows TMessageList makes on demand).
// The list's counts go to the frame's status bar.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "quillet/common/user_prompts.h"
#include "quillet/frame/box_tree.h"
#include "quillet/frame/message_list.h"
#include "quillet/store/system/system_manager.h"
#include "quillet/ui/frame_window.h"
#include "quillet/ui/list_looks.h"
#include "quillet/ui/preview_split.h"

namespace quillet::ui {

struct TTreeWindow {
  TTreeWindow(TSystemManager& manager, TMainFrame& frame, TUserPrompts& prompts)
      : manager(manager), frame(frame), prompts(prompts), messages(std::make_unique<TMessageList>(manager.Settings())) {}

  HWND hwnd = nullptr;
  HWND tree = nullptr;
  HWND list = nullptr;
  TSystemManager& manager;
  TMainFrame& frame;
  TUserPrompts& prompts;
  std::vector<TTreeRow> rows;  // the tree's items, in order (an item's lParam is its index)
  std::unique_ptr<TMessageList> messages;  // the current mailbox's
  TBoxObject* current = nullptr;
  TListLooks looks;
  // Selected messages dragged from the list and dropped on a mailbox of the tree.
  std::function<void(TBoxObject& target)> dropOnBox;
  bool dragging = false;
  TPreviewSplit split;  // the preview pane below or beside the list
  std::function<void()> selectionChanged;  // the list's selection, or its mailbox, changed
};

// Created maximised in the frame's MDI client, the inbox chosen; null when it cannot be.
HWND CreateTreeWindow(TTreeWindow* window);
// Shows a mailbox's messages (row of the tree), its counts in the status bar; a mailbox
// whose index cannot be read is told once and shows no rows.
void ShowMailbox(TTreeWindow* window, std::size_t row);
// The mailbox of the tree's item under a point of the tree window's client area; null
// when there is none.
TBoxObject* BoxAtPoint(TTreeWindow* window, POINT point);
// Places the tree, the list and the preview pane again (after a change of the split).
void LayoutTreeWindow(TTreeWindow* window);
// The tree's names and unread counts read again in place, the selection and the list left
// as they are (a full RefreshTree when the mailboxes themselves changed).
void RefreshTreeCounts(TTreeWindow* window);
// Reads the mailbox counts again into the tree's texts.
void RefreshTree(TTreeWindow* window);

}  // namespace quillet::ui
