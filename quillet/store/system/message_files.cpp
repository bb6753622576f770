// The manager's commands that bring messages in and take them out: delivery, import, export.
#include "platform/file.h"
#include "quillet/common/text_format.h"
#include "quillet/store/assistant/received_summary.h"
#include "quillet/store/mailbox/store_errors.h"
#include "quillet/store/system/message_export.h"
#include "quillet/store/system/system_manager.h"
#include "quillet/store/system/system_texts.h"

TDeliveryResult TSystemManager::Deliver(TStream& message) {
  const TMailboxSet& set = *boxes_;
  TDeliveryBoxes boxes{[&set](const std::string& name) {
                         const TBoxObject* box = set.FindByName(name);
                         return box ? box->BasePath() : std::string();
                       },
                       set.Standard(TBoxKind::Inbox).BasePath()};
  const TDeliveryResult result = DeliverMessage(*assistant_, boxes, message, *prompts_);
  TBoxObject* target = set.FindByName(result.mailboxName);
  events_->MessagesChanged(target ? *target : set.Standard(TBoxKind::Inbox), {result.id});
  return result;
}

std::int32_t TSystemManager::ImportMessage(TBoxObject& box, const std::string& fileName) {
  TMemoryStream text(WithCrLfLineEnds(ReadWholeFile(fileName)));
  TReceivedSummary summary = SummariseReceived(text, *prompts_);
  box.Box().AddMessage(summary.head, text);
  events_->MessagesChanged(box, {summary.head.Id});
  events_->StatusText(FormatText(k_textImported, {box.Name()}));
  return summary.head.Id;
}

void TSystemManager::ExportMessages(TBoxObject& box, const std::vector<std::int32_t>& ids,
                                    const std::string& fileName) {
  std::vector<TExportedMessage> messages;
  TMailBox& pair = box.Box();
  for (std::int32_t id : ids) {
    TMailHead head;
    TMemoryStream text;
    if (!pair.ReadHead(id, head) || !pair.ReadMessage(id, text, true))
      throw EIdxFileError(k_textNoMessageWithId + std::to_string(id));
    messages.push_back({head.Date, text.Bytes()});
  }
  const std::string bytes = ExportFileText(messages);
  if (bytes.size() > INT32_MAX ||
      !platform::FileReplaceContents(fileName, bytes.data(), static_cast<std::int32_t>(bytes.size())))
    throw EFileException(EFileException::Kind::Write, fileName);
}
