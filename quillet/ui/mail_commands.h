// The commands that file, mark, move, find, import and export mail and change the
// mailboxes: the message menu's marking, label, transfer and delete, the sort menu, the
// mailbox menu, import, export, find and find again. The dialogs they open are held as
// functions so that tests answer them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/ui/file_dialog.h"
#include "quillet/frame/message_find.h"
#include "quillet/store/system/box_object.h"

namespace quillet::ui {

struct TClientApp;

struct TMailDialogs {
  // A line of text (the question; in: the text shown first, out: the answer); false when
  // cancelled. AskText by default.
  std::function<bool(HWND owner, const std::string& question, std::string& text)> askText;
  // The open and save dialogs (file_dialog.h).
  std::function<bool(platform::win32::ui::FileDialogRequest* request)> openFile;
  std::function<bool(platform::win32::ui::FileDialogRequest* request)> saveFile;
  // TDlg_find (options in and out); false when cancelled. AskFind by default.
  std::function<bool(HWND owner, TFindOptions& options)> askFind;
  // The mailbox properties dialog. ShowBoxProperties by default.
  std::function<void(TClientApp* app, TBoxObject& box)> showProperties;
};

struct TMailCommands {
  TMailDialogs dialogs;
  TMessageFinder finder;  // the last search, for find again
};

// Adds the commands to the frame's table and the drop of dragged messages onto a tree
// mailbox (a move) to the tree window; the dialogs are the real ones.
void AddMailCommands(TClientApp* app);

}  // namespace quillet::ui
