#include "quillet/ui/command_table.h"

namespace quillet::ui {

void TCommandTable::Add(const std::string& item, TAction action, TCondition enabled) {
  entries_[item] = TEntry{std::move(action), std::move(enabled)};
}

bool TCommandTable::Has(const std::string& item) const { return entries_.count(item) != 0; }

bool TCommandTable::Enabled(const std::string& item) const {
  const auto entry = entries_.find(item);
  if (entry == entries_.end()) return false;
  return !entry->second.enabled || entry->second.enabled();
}

bool TCommandTable::Run(const std::string& item) const {
  if (!Enabled(item)) return false;
  // A copy: the action may replace its own entry (a window that adds its commands again).
  const TAction action = entries_.at(item).action;
  action();
  return true;
}

}  // namespace quillet::ui
