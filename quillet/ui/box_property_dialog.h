// The mailbox properties dialog: name, creation date, message count, file size and
// wasted space, with a check of the pair and a compaction.
#pragma once

#include <windows.h>

#include "quillet/common/user_prompts.h"
#include "quillet/store/system/system_manager.h"

namespace quillet::ui {

struct TBoxPropertyDialog {
  HWND hwnd = nullptr;
  TSystemManager* manager = nullptr;
  TBoxObject* box = nullptr;
  TUserPrompts* prompts = nullptr;  // the check's report, a file that cannot be read
};

// Runs the dialog over the mailbox.
void ShowBoxProperties(HWND owner, TSystemManager& manager, TBoxObject& box, TUserPrompts& prompts);
// The dialog's procedure (tests drive the dialog made with CreateDialogParamW).
INT_PTR CALLBACK BoxPropertyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quillet::ui
