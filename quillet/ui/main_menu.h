// The main window's menu: every item of the command table, laid out as menus and
// submenus, its captions from frame_texts. An item's command number is fixed by its
// place in the command table.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "quillet/ui/command_table.h"

namespace quillet::ui {

inline constexpr int k_firstCommandId = 40001;
inline constexpr int k_noCommand = 0;
// The entries of submenus made when they open are numbered from here (below the MDI
// children's numbers).
inline constexpr int k_firstPopupEntryId = 45000;
inline constexpr int k_lastPopupEntryId = 49999;

// The command number of a menu item name (k_noCommand when the table has no such item).
int CommandId(const std::string& item);
// The item name of a command number, "" for none.
std::string CommandItem(int id);
// The whole menu bar, every command greyed until UpdateMenuStates; the caller owns it (a
// window destroys its own menu).
HMENU BuildMainMenu();
// Greys every command of the menu and its submenus that the table cannot run now and
// checks those whose check condition holds; menus that open a submenu stay enabled, so a
// person can see what is to come. Entries of made submenus are left as they were made.
void UpdateMenuStates(HMENU menu, const TCommandTable& commands);
// Gives each item of the menu that has a submenu in the table (TCommandTable::SetPopup)
// its entries as they are now, numbered from k_firstPopupEntryId; an item whose condition
// does not hold gets no submenu (and is greyed). When the menu has such items, *actions is
// replaced by their entries' actions, entry id - k_firstPopupEntryId being the index.
void FillPopups(HMENU menu, const TCommandTable& commands, std::vector<TCommandTable::TAction>* actions);

}  // namespace quillet::ui
