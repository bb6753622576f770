// The dialog of one further account (Add and Edit of the setup dialog's list).
#pragma once

#include <windows.h>

#include "quillet/common/user_prompts.h"
#include "quillet/transport/connections.h"

namespace quillet::ui {

// Shows the account's fields; OK with a valid port and trusted fingerprint (or none) writes
// them into `account` and gives true; Cancel leaves it as it was.
bool EditConnection(HWND owner, TOneConnection& account, TUserPrompts& prompts);

}  // namespace quillet::ui
