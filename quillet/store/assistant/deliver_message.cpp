#include "quillet/store/assistant/deliver_message.h"

#include "quillet/store/assistant/assistant_texts.h"
#include "quillet/store/assistant/received_summary.h"
#include "quillet/store/mailbox/mail_box.h"

namespace {

// The base path of the rule's target when it can take the message; empty for the inbox.
std::string TargetBase(const std::string& target, const TDeliveryBoxes& boxes, TUserPrompts& prompts) {
  if (target.empty()) return {};
  std::string base = boxes.basePathOf(target);
  if (base.empty()) {
    prompts.ShowMessage(k_textBoxNotExistBefore + target + k_textBoxNotExistAfter);
    return {};
  }
  return TMailBox(base).IsEncrypted() ? std::string() : base;
}

}  // namespace

TDeliveryResult DeliverMessage(const TAssistence& assistant, const TDeliveryBoxes& boxes, TStream& message,
                               TUserPrompts& prompts) {
  TReceivedSummary summary = SummariseReceived(message, prompts);
  const std::string target = assistant.FindTarget(summary.headerLines);
  const std::string base = TargetBase(target, boxes, prompts);
  TMailHead& head = summary.head;

  TMailBox box(base.empty() ? boxes.inboxBase : base);
  box.AddMessage(head, message);
  return {base.empty() ? std::string(k_textInboxName) : target, head.Id};
}
