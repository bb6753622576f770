// TDlg_find: the text to look for in the current mailbox's messages, and whether to look
// in the headers only and with letter case.
#pragma once

#include <windows.h>

#include "quillet/frame/message_find.h"

namespace quillet::ui {

struct TFindDialog {
  HWND hwnd = nullptr;
  TFindOptions options;  // in: what the dialog shows first; out: what was chosen
};

// Runs the dialog; false when it was cancelled (options unchanged).
bool AskFind(HWND owner, TFindOptions& options);
// The dialog's procedure (tests drive the dialog made with CreateDialogParamW).
INT_PTR CALLBACK FindDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quillet::ui
