// The process-wide host-name cache; never persisted.
#include "quillet/transport/mail_base.h"

TNetCache& TNetCache::Instance() {
  static TNetCache cache;
  return cache;
}

bool TNetCache::Lookup(const std::string& host, std::string& addressText) const {
  auto found = entries_.find(host);
  if (found == entries_.end()) return false;
  addressText = found->second;
  return true;
}

void TNetCache::Store(const std::string& host, const std::string& addressText) {
  entries_[host] = addressText;
}
