// The names shown in the address fields of a compose window and the addresses they stand for.
#include <cstddef>

#include "quillet/common/gbk.h"
#include "quillet/message/header/header_utils.h"

namespace {

constexpr std::size_t k_maxEntryLength = 255;

std::string Limited(const std::string& text) { return gbk::Cut(text, k_maxEntryLength); }

}  // namespace

// A name stands for one address: adding it again replaces the address.
void TRuntimeAddress::Add(const std::string& name, const std::string& address) {
  const std::string key = Limited(name);
  for (auto& entry : entries_) {
    if (entry.first == key) {
      entry.second = Limited(address);
      return;
    }
  }
  entries_.emplace_back(key, Limited(address));
}

std::string TRuntimeAddress::Find(const std::string& name) const {
  const std::string key = Limited(name);
  for (const auto& entry : entries_)
    if (entry.first == key) return entry.second;
  return std::string();
}

bool TRuntimeAddress::Contains(const std::string& name) const {
  const std::string key = Limited(name);
  for (const auto& entry : entries_)
    if (entry.first == key) return true;
  return false;
}

bool TRuntimeAddress::Remove(const std::string& name) {
  const std::string key = Limited(name);
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->first == key) {
      entries_.erase(it);
      return true;
    }
  }
  return false;
}
