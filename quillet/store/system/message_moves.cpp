// Moving commands of the manager: between mailboxes, to the trash, after a send.
#include "quillet/common/text_format.h"
#include "quillet/store/system/system_manager.h"
#include "quillet/store/system/system_texts.h"

TMessagesResult TSystemManager::MoveMessages(TBoxObject& from, const std::vector<std::int32_t>& ids, TBoxObject& to) {
  TMessagesResult result;
  if (&from == &to) {
    result.done = ids;
    return result;
  }
  if (to.Box().IsEncrypted()) {
    prompts_->ShowMessage(k_textMoveToEncrypted);
    result.refused = true;
    return result;
  }
  for (std::int32_t id : ids) {
    const std::int32_t newId = to.Box().MoveFrom(from.Box(), id);
    if (newId < 0) result.missing.push_back(id);
    else result.done.push_back(newId);
  }
  if (!result.done.empty()) events_->MessagesChanged(to, result.done);
  return result;
}

TMessagesResult TSystemManager::DeleteMessages(TBoxObject& box, const std::vector<std::int32_t>& ids) {
  if (box.Kind() != TBoxKind::Trashbox) return MoveMessages(box, ids, boxes_->Standard(TBoxKind::Trashbox));
  TMessagesResult result;
  for (std::int32_t id : ids) (box.Box().DeleteRecord(id) ? result.done : result.missing).push_back(id);
  return result;
}

bool TSystemManager::EmptyTrash() {
  TBoxObject& trash = boxes_->Standard(TBoxKind::Trashbox);
  if (!prompts_->AskYesNo(FormatText(k_textAskEmptyTrash, {trash.Name(), trash.Name()}))) return false;
  trash.Box().DeleteAll();
  return true;
}

TSystemManager::TSentPlace TSystemManager::AfterSend(std::int32_t outboxId) {
  TBoxObject& outbox = boxes_->Standard(TBoxKind::Outbox);
  const TMessagesResult marked = MarkMessages(outbox, {outboxId}, {TMarkField::State, 1});
  if (!marked.missing.empty()) return {};
  if (!settings_.MoveToSentbox) return {&outbox, outboxId};
  TBoxObject& sent = boxes_->Standard(TBoxKind::Sentbox);
  const TMessagesResult moved = MoveMessages(outbox, {outboxId}, sent);
  if (moved.done.empty()) return {&outbox, outboxId};
  return {&sent, moved.done.front()};
}
