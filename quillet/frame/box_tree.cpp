#include "quillet/frame/box_tree.h"

#include "quillet/common/exceptions.h"

std::string TreeRowText(const std::string& name, std::int32_t unread) {
  return unread > 0 ? name + " (" + std::to_string(unread) + ")" : name;
}

std::vector<TTreeRow> MailboxTreeRows(const TMailboxSet& set) {
  std::vector<TTreeRow> rows;
  for (int pass = 0; pass < 2; ++pass) {
    for (const auto& entry : set.Entries()) {
      if (entry->IsStandard() != (pass == 0)) continue;
      std::int32_t unread = 0;
      try {
        TMailBox& pair = entry->Box();
        pair.ReadHeader();
        unread = pair.Header().UnreadCount;
      } catch (const Exception&) {
        unread = 0;
      }
      rows.push_back({entry.get(), unread, TreeRowText(entry->Name(), unread)});
    }
  }
  return rows;
}
