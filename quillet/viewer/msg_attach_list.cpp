#include "quillet/viewer/msg_attach_list.h"

std::string TMsgAttachList::Find(const TAttachKey& key, const TFileExists& exists) const {
  const auto found = files_.find(key);
  if (found == files_.end() || !exists(found->second)) return {};
  return found->second;
}
