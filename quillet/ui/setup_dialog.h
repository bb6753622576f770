// The setup dialog: personal information, the servers of the own account, the further
// accounts, the signature and the receive options, one tab each; what it edits and how
// it is written is account_setup.h.
#pragma once

#include <windows.h>

#include "quillet/common/user_prompts.h"
#include "quillet/store/system/system_manager.h"

namespace quillet::ui {

// Modal. OK reads every page (a number outside its range is told and the dialog stays),
// writes the values and gives true; a failure to write is told and the dialog stays.
bool ShowSetupDialog(HWND owner, TSystemManager& manager, TUserPrompts& prompts);
// The dialog's control with that id, on whichever page it lies.
HWND SetupControl(HWND dialog, int id);

}  // namespace quillet::ui
