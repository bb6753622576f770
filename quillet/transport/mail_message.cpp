#include "quillet/transport/mail_message.h"

#include "quillet/common/exceptions.h"
#include "quillet/common/gbk.h"
#include "quillet/common/user_prompts.h"
#include "quillet/message/header/header_utils.h"
#include "quillet/message/parser/header_block.h"

namespace {

constexpr std::size_t k_shortString = 255;

void FillFromHeader(TMailMessage& message, const TStringList& header) {
  message.From = gbk::Cut(DecodeWords(GetField(header, "From:")), k_shortString);
  message.Subject = gbk::Cut(DecodeWords(GetField(header, "Subject:")), k_shortString);
  message.Date = ParseDate(GetField(header, "Date:"));
  message.Priority = static_cast<std::uint8_t>(GetPriority(header, "Priority"));
  std::string id;
  std::int32_t number = 0, total = 0;
  if (!GetPartialInfo(header, id, number, total)) return;
  message.PartialId = id;
  message.PartialNumber = number;
  message.PartialTotal = total;
}

}  // namespace

TMailMessage MakeMailMessage(TStream& stream, const std::string& tempFile, const std::string& uidl,
                             TUserPrompts& prompts) {
  TMailMessage message;
  message.Size = static_cast<std::int32_t>(stream.Size());
  message.Uidl = gbk::Cut(uidl, k_shortString);
  message.Stream = &stream;
  message.TempFile = tempFile;
  try {
    FillFromHeader(message, msgdecode::ReadHeaderBlock(stream, 0, stream.Size(), TLineEnds::Cr).lines);
  } catch (const Exception& e) {
    prompts.ShowMessage(e.Message());
  }
  stream.SetPosition(0);
  return message;
}
