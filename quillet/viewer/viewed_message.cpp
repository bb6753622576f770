#include "quillet/viewer/viewed_message.h"

#include "quillet/message/header/header_utils.h"
#include "quillet/message/parser/html_display.h"
#include "quillet/store/mailbox/mailbox_texts.h"
#include "quillet/store/mailbox/store_errors.h"
#include "quillet/viewer/html_page.h"

namespace {

std::string MessageText(TMailBox& box, std::int32_t id) {
  TMemoryStream text;
  if (!box.ReadMessage(id, text, true)) throw EIdxFileError(k_textNoMessageWithId + std::to_string(id));
  return std::move(text.Bytes());
}

}  // namespace

TViewedMessage::TViewedMessage(TMailBox& box, std::int32_t id, TUserPrompts& prompts)
    : TViewedMessage(MessageText(box, id), prompts) {}

TViewedMessage::TViewedMessage(std::string text, TUserPrompts& prompts)
    : source_(std::move(text)), decode_(&source_, source_.Size(), 0) {
  decode_.SetPrompts(&prompts);
  decode_.Decode();
}

TEnvelopeFields TViewedMessage::Envelope() const {
  const TStringList& header = decode_.HeaderLines();
  return {DecodeWords(GetField(header, "From")), DecodeWords(GetField(header, "To")), GetField(header, "Date"),
          DecodeWords(GetField(header, "Subject"))};
}

TMessageDisplay TViewedMessage::Display(const TSystemSettings& settings) {
  TMessageDisplay display{Envelope(), decode_.DisplayString(), settings.Wordwrap,
                          settings.UseWEB && HtmlPageIndex(decode_.Attachments()) >= 0, {}};
  for (const TMsgAttachment& attachment : decode_.Attachments())
    display.attachments.push_back({attachment.FileName, attachment.Section.ContentType, attachment.Section.Length});
  return display;
}

std::string TViewedMessage::HtmlText() {
  const int page = HtmlPageIndex(decode_.Attachments());
  if (page < 0) return {};
  TMemoryStream text;
  msgdecode::AppendHtmlAsText(source_, decode_.Attachments()[static_cast<std::size_t>(page)].Section, text);
  return std::move(text.Bytes());
}

std::string TViewedMessage::RawHeader() const {
  std::string text;
  for (const std::string& line : decode_.HeaderLines()) text += line + "\r\n";
  return text;
}
