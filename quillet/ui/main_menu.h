// The main window's menu: every item of the command table, laid out as menus and
// submenus, its captions from frame_texts. An item's command number is fixed by its
// place in the command table.
#pragma once

#include <windows.h>

#include <string>

#include "quillet/ui/command_table.h"

namespace quillet::ui {

inline constexpr int k_firstCommandId = 40001;
inline constexpr int k_noCommand = 0;

// The command number of a menu item name (k_noCommand when the table has no such item).
int CommandId(const std::string& item);
// The item name of a command number, "" for none.
std::string CommandItem(int id);
// The whole menu bar, every command greyed until UpdateMenuStates; the caller owns it (a
// window destroys its own menu).
HMENU BuildMainMenu();
// Greys every command of the menu and its submenus that the table cannot run now; menus
// that open a submenu stay enabled, so a person can see what is to come.
void UpdateMenuStates(HMENU menu, const TCommandTable& commands);

}  // namespace quillet::ui
