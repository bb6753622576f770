// The main window's menu: every item of the command table, laid out as menus and
// submenus, its captions from frame_texts. An item's command number is fixed by its
// place in the command table.
#pragma once

#include <windows.h>

#include <string>

namespace quillet::ui {

inline constexpr int k_firstCommandId = 40001;
inline constexpr int k_noCommand = 0;

// The command number of a menu item name (k_noCommand when the table has no such item).
int CommandId(const std::string& item);
// The item name of a command number, "" for none.
std::string CommandItem(int id);
// Items whose action exists in this program; every other item is shown greyed.
bool CommandAvailable(const std::string& item);

// The whole menu bar; the caller owns it (a window destroys its own menu).
HMENU BuildMainMenu();

}  // namespace quillet::ui
