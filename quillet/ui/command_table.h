// The actions behind the main window's commands, by menu item name. Each window module
// adds its actions at start; an item without an action, or whose condition does not hold
// (a receive while one runs), is greyed in the menu and does nothing.
#pragma once

#include <functional>
#include <map>
#include <string>

namespace quillet::ui {

class TCommandTable {
 public:
  using TAction = std::function<void()>;
  using TCondition = std::function<bool()>;

  // Replaces an earlier action of the same item.
  void Add(const std::string& item, TAction action, TCondition enabled = {});
  bool Has(const std::string& item) const;
  // Has an action and its condition holds.
  bool Enabled(const std::string& item) const;
  // Runs an enabled item's action; false when it has none or is disabled.
  bool Run(const std::string& item) const;

 private:
  struct TEntry {
    TAction action;
    TCondition enabled;
  };
  std::map<std::string, TEntry> entries_;
};

}  // namespace quillet::ui
