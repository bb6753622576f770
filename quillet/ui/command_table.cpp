#include "quillet/ui/command_table.h"

namespace quillet::ui {

void TCommandTable::Add(const std::string& item, TAction action, TCondition enabled, TCondition checked) {
  TEntry& entry = entries_[item];
  entry.action = std::move(action);
  entry.enabled = std::move(enabled);
  entry.checked = std::move(checked);
}

bool TCommandTable::Has(const std::string& item) const { return entries_.count(item) != 0; }

bool TCommandTable::Enabled(const std::string& item) const {
  const auto entry = entries_.find(item);
  if (entry == entries_.end()) return false;
  return !entry->second.enabled || entry->second.enabled();
}

bool TCommandTable::Checked(const std::string& item) const {
  const auto entry = entries_.find(item);
  return entry != entries_.end() && entry->second.checked && entry->second.checked();
}

bool TCommandTable::Run(const std::string& item) const {
  if (!Enabled(item)) return false;
  // A copy: the action may replace its own entry (a window that adds its commands again).
  const TAction action = entries_.at(item).action;
  action();
  return true;
}

void TCommandTable::SetPopup(const std::string& item, TPopupEntries entries) {
  entries_[item].popup = std::move(entries);
}

bool TCommandTable::HasPopup(const std::string& item) const {
  const auto entry = entries_.find(item);
  return entry != entries_.end() && entry->second.popup;
}

std::vector<TCommandTable::TPopupEntry> TCommandTable::PopupEntries(const std::string& item) const {
  const auto entry = entries_.find(item);
  if (entry == entries_.end() || !entry->second.popup) return {};
  return entry->second.popup();
}

}  // namespace quillet::ui
