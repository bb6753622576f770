#include "quillet/viewer/msg_attach_list.h"

std::string TMsgAttachList::Find(const TAttachKey& key, const TFileExists& exists) const {
  const auto found = files_.find(key);
  if (found == files_.end() || !exists(found->second)) return {};
  return found->second;
}

void TMsgAttachList::DeleteFiles(const std::function<bool(const std::string& path)>& deleteFile) {
  for (const auto& entry : files_) deleteFile(entry.second);
  files_.clear();
}
