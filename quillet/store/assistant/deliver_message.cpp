#include "quillet/store/assistant/deliver_message.h"

#include "quillet/common/gbk.h"
#include "quillet/message/header/header_utils.h"
#include "quillet/message/parser/msg_decode.h"
#include "quillet/store/assistant/assistant_texts.h"
#include "quillet/store/mailbox/mail_box.h"

namespace {

// Sender and subject keep at most this many bytes, never half a character.
constexpr std::size_t k_maxHeadText = 128;

void FillHead(const TStringList& header, std::int64_t size, TMailHead& head) {
  std::string from = GetField(header, "From:");
  head.Correspondent = gbk::Cut(DecodeWords(DisplayNameOf(FirstAddressItem(from))), k_maxHeadText);
  head.Subject = gbk::Cut(DecodeWords(GetField(header, "Subject:")), k_maxHeadText);
  head.Date = ParseDate(GetField(header, "Date:"));
  head.Size = static_cast<std::uint32_t>(size);
  head.Priority = static_cast<std::uint8_t>(GetPriority(header, "Priority"));
  std::string partialId;
  int number = 0, total = 0;
  head.Partial = GetPartialInfo(header, partialId, number, total);
}

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
  TMailHead head;
  head.Unread = 1;
  const std::int64_t size = message.Size();
  TMsgDecode decode(&message, size, 0);
  decode.SetPrompts(&prompts);
  try {
    decode.Decode();
  } catch (const Exception& error) {
    prompts.ShowMessage(error.Message());
  }
  if (!decode.Attachments().empty()) head.HasAttachment = 1;

  const std::string target = assistant.FindTarget(decode.HeaderLines());
  const std::string base = TargetBase(target, boxes, prompts);
  FillHead(decode.HeaderLines(), size, head);

  TMailBox box(base.empty() ? boxes.inboxBase : base);
  box.AddMessage(head, message);
  return {base.empty() ? std::string(k_textInboxName) : target, head.Id};
}
