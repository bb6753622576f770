#include "quillet/frame/message_menu.h"

#include <utility>

#include "quillet/frame/frame_texts.h"
#include "quillet/frame/message_list.h"

namespace {

template <typename T, std::size_t N>
std::optional<T> Lookup(const std::pair<const char*, T> (&table)[N], const std::string& item) {
  for (const auto& entry : table)
    if (item == entry.first) return entry.second;
  return std::nullopt;
}

}  // namespace

std::optional<TMarkChange> MarkChangeOfItem(const std::string& item) {
  static const std::pair<const char*, TMarkChange> k_items[] = {
      {"M_msg_markunread", {TMarkField::Unread, 1}},
      {"M_msg_markread", {TMarkField::Unread, 0}},
      {"M_msg_markreplied", {TMarkField::Replied, 1}},
      {"M_msg_markunreplied", {TMarkField::Replied, 0}},
  };
  return Lookup(k_items, item);
}

std::vector<std::string> LabelMenuCaptions(const TSystemSettings& settings) {
  std::vector<std::string> captions{frame_texts::k_noLabel};
  for (const TMsgLabel& label : settings.Labels) captions.push_back(label.Name);
  return captions;
}

std::vector<TBoxObject*> TransferTargets(const TMailboxSet& set, const TBoxObject& current) {
  std::vector<TBoxObject*> targets;
  for (const auto& entry : set.Entries())
    if (entry.get() != &current) targets.push_back(entry.get());
  return targets;
}

std::optional<THeadColumn> SortColumnOfItem(const std::string& item) {
  static const std::pair<const char*, THeadColumn> k_items[] = {
      {"M_sort_none", THeadColumn::None},         {"M_sort_priority", THeadColumn::Priority},
      {"M_sort_address", THeadColumn::Correspondent}, {"M_sort_subject", THeadColumn::Subject},
      {"M_sort_date", THeadColumn::Date},         {"M_sort_size", THeadColumn::Size},
      {"M_sort_read", THeadColumn::Unread},
  };
  return Lookup(k_items, item);
}

std::optional<std::uint8_t> PriorityOfItem(const std::string& item) {
  static const std::pair<const char*, std::uint8_t> k_items[] = {
      {"POP_High", 1}, {"POP_normal", 3}, {"POP_low", 5}};
  return Lookup(k_items, item);
}

std::string PriorityItemOf(std::uint8_t priority) {
  switch (PriorityIconOf(priority)) {
    case TPriorityIcon::High: return "POP_High";
    case TPriorityIcon::Low: return "POP_low";
    case TPriorityIcon::Normal: break;
  }
  return "POP_normal";
}
