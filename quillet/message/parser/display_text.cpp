// The display text and the attachment table, built section by section after splitting.
// Text sections are decoded into the display text, nested messages are shown inline
// between two lines of dashes, everything else becomes an attachment.
#include <algorithm>
#include <string>

#include "quillet/message/codec/codecs.h"
#include "quillet/message/header/header_utils.h"
#include "quillet/message/parser/html_display.h"
#include "quillet/message/parser/mime_types.h"
#include "quillet/message/parser/msg_decode.h"
#include "quillet/common/range_stream.h"
#include "quillet/message/parser/message_lines.h"

using namespace msgdecode;

namespace {

const std::string k_crlf = "\r\n";
const std::string k_dashLine = std::string(60, '-') + "\r\n";

bool IsHZ(const std::string& charset) { return StartsWithNoCase(charset, "HZ"); }

void WriteText(TStream& out, const std::string& text) {
  out.WriteBuffer(text.data(), static_cast<std::int32_t>(text.size()));
}

}  // namespace

void TMsgDecode::BuildDisplayText() {
  // Without a plain-text body, HTML bodies are also shown rendered as text (html_display.h).
  const bool renderHtml = std::none_of(sections_.begin(), sections_.end(), IsPlainTextBody);
  for (const TMsgSection& section : sections_) {
    AddSection(section);
    if (renderHtml && IsHtmlBody(section)) AppendHtmlAsText(*stream_, section, displayText_);
  }
}

void TMsgDecode::AddSection(const TMsgSection& section) {
  const bool named = !section.FileName.empty();
  bool isText = false;
  switch (section.Kind) {
    case TTransferKind::None:
      if (!named && gbk::UpperCase(section.ContentType) == "MESSAGE/RFC822" && section.Level < k_maxNestingLevel) {
        AddNestedMessage(section);
        return;
      }
      isText = !named;
      break;
    case TTransferKind::Base64:
      // Base64 carries binary data; only a textual type is shown.
      isText = !named && !IsBinaryMediaType(section.ContentType);
      break;
    case TTransferKind::QuotedPrintable:
      isText = !named;
      break;
    default:  // uuencoded blocks are always attachments
      break;
  }
  if (isText) DecodeTextInto(section, displayText_);
  else attachments_.push_back({section.FileName, section});
}

void TMsgDecode::DecodeTextInto(const TMsgSection& section, TStream& out) {
  if (section.Kind == TTransferKind::None) {  // the body bytes as they stand
    TMemoryStream copy;
    const TMsgSection text = section.LineEnds == TLineEnds::Any ? CrLfCopyOf(*stream_, section, copy) : section;
    TStream& source = section.LineEnds == TLineEnds::Any ? static_cast<TStream&>(copy) : *stream_;
    TRangeStream body(source, text.Start, text.Length);
    if (IsHZ(text.Charset)) HZToGB(body, 0, text.Length, out);
    else out.CopyFrom(body, text.Length);
    return;
  }
  if (!IsHZ(section.Charset)) {
    SaveSectionToStream(*stream_, section, out);
    return;
  }
  TMemoryStream decoded;
  SaveSectionToStream(*stream_, section, decoded);
  HZToGB(decoded, 0, decoded.Size(), out);
}

void TMsgDecode::AddNestedMessage(const TMsgSection& section) {
  TMsgDecode nested(stream_, section.Length, section.Start, section.Level + 1, partBudget_);
  nested.SetPrompts(prompts_);
  try {
    nested.Decode();
  } catch (const Exception& error) {
    if (prompts_) prompts_->ShowMessage(error.Message());
    return;
  }
  WriteText(displayText_, k_dashLine);
  WriteNestedHeader(nested.header_);
  WriteText(displayText_, k_crlf);
  const std::string& text = nested.displayText_.Bytes();
  if (!text.empty()) displayText_.WriteBuffer(text.data(), static_cast<std::int32_t>(text.size() - 1));  // no NUL
  WriteText(displayText_, k_dashLine);
  for (TMsgAttachment& attachment : nested.attachments_) attachments_.push_back(std::move(attachment));
}

// From and To are address lists, one item per line; Subject and Date are shown whole.
void TMsgDecode::WriteNestedHeader(const TStringList& header) {
  for (const std::string label : {"From:", "To:", "Subject:", "Date:"}) {
    TStringList values;
    if (label == "From:" || label == "To:") GetFieldValues(header, label, values);
    else values.push_back(GetField(header, label));
    if (values.empty()) values.push_back(std::string());
    for (size_t i = 0; i < values.size(); ++i)
      WriteText(displayText_, (i == 0 ? label : std::string()) + " " + DecodeWords(values[i]) + k_crlf);
  }
}
