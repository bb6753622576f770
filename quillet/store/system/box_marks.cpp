// Marking commands of the manager.
#include "quillet/store/system/system_manager.h"

TMessagesResult TSystemManager::MarkMessages(TBoxObject& box, const std::vector<std::int32_t>& ids,
                                             const TMarkChange& change) {
  TMessagesResult result;
  TMailBox& pair = box.Box();
  for (std::int32_t id : ids) {
    TMailHead head;
    if (!pair.ReadHead(id, head)) {
      result.missing.push_back(id);
      continue;
    }
    if (!ApplyMark(head, change)) continue;
    pair.WriteHead(head);
    result.done.push_back(id);
  }
  if (!result.done.empty()) events_->MessagesChanged(box, result.done);
  return result;
}
