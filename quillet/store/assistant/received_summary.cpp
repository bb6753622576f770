#include "quillet/store/assistant/received_summary.h"

#include "quillet/common/gbk.h"
#include "quillet/message/header/header_utils.h"
#include "quillet/message/parser/msg_decode.h"

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

}  // namespace

TReceivedSummary SummariseReceived(TStream& message, TUserPrompts& prompts) {
  TReceivedSummary summary;
  summary.head.Unread = 1;
  const std::int64_t size = message.Size();
  TMsgDecode decode(&message, size, 0);
  decode.SetPrompts(&prompts);
  try {
    decode.Decode();
  } catch (const Exception& error) {
    prompts.ShowMessage(error.Message());
  }
  if (!decode.Attachments().empty()) summary.head.HasAttachment = 1;
  summary.headerLines = decode.HeaderLines();
  FillHead(summary.headerLines, size, summary.head);
  return summary;
}
