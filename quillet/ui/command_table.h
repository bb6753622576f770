// The actions behind the main window's commands, by menu item name. Each window module
// adds its actions at start; an item without an action, or whose condition does not hold
// (a receive while one runs), is greyed in the menu and does nothing.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace quillet::ui {

class TCommandTable {
 public:
  using TAction = std::function<void()>;
  using TCondition = std::function<bool()>;
  // One entry of a submenu made when it opens (a mailbox to move to, a label).
  struct TPopupEntry {
    std::string caption;  // GBK
    TAction action;
    bool checked = false;
  };
  using TPopupEntries = std::function<std::vector<TPopupEntry>()>;

  // Replaces an earlier action of the same item. checked: when it holds, the menu shows
  // the item with a check mark (the sort menu's column and direction).
  void Add(const std::string& item, TAction action, TCondition enabled = {}, TCondition checked = {});
  bool Has(const std::string& item) const;
  // Has an action and its condition holds.
  bool Enabled(const std::string& item) const;
  // Has a check condition and it holds.
  bool Checked(const std::string& item) const;
  // Runs an enabled item's action; false when it has none or is disabled.
  bool Run(const std::string& item) const;

  // Gives an added item a submenu whose entries are made each time the menu opens; the
  // item's own action still runs for the toolbar's button.
  void SetPopup(const std::string& item, TPopupEntries entries);
  bool HasPopup(const std::string& item) const;
  // The entries now; none for an item without a submenu.
  std::vector<TPopupEntry> PopupEntries(const std::string& item) const;

 private:
  struct TEntry {
    TAction action;
    TCondition enabled;
    TCondition checked;
    TPopupEntries popup;
  };
  std::map<std::string, TEntry> entries_;
};

}  // namespace quillet::ui
