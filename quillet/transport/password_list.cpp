#include "quillet/transport/password_list.h"

#include <algorithm>

const TOnePassword* TPasswordList::Find(const std::string& server, const std::string& account) const {
  for (const TOnePassword& item : items_)
    if (item.Server == server && item.Account == account) return &item;
  return nullptr;
}

bool TPasswordList::Get(const std::string& server, const std::string& account, std::string& password) const {
  const TOnePassword* item = Find(server, account);
  if (item) password = item->Password;
  return item != nullptr;
}

void TPasswordList::Set(const std::string& server, const std::string& account, const std::string& password) {
  Remove(server, account);
  items_.push_back({server, account, password});
}

// Every matching entry goes, so a later Find cannot meet a stale one.
void TPasswordList::Remove(const std::string& server, const std::string& account) {
  items_.erase(std::remove_if(items_.begin(), items_.end(),
                              [&](const TOnePassword& item) { return item.Server == server && item.Account == account; }),
               items_.end());
}
