#include "quillet/transport/smtp_message.h"

#include <algorithm>

#include "quillet/common/gbk.h"
#include "quillet/message/header/header_utils.h"
#include "quillet/transport/smtp_errors.h"
#include "quillet/transport/transport_texts.h"

namespace {

bool IsContinuation(const std::string& line) { return !line.empty() && (line[0] == ' ' || line[0] == '\t'); }

constexpr std::int32_t k_scanChunk = 64 * 1024;

void AddLine(std::string& block, const std::string& line) {
  block += line;
  block += "\r\n";
}

}  // namespace

bool IsWithheldField(const std::string& line) {
  return gbk::StartsWithNoCase(line, "BCC") || gbk::StartsWithNoCase(line, "X-JayAttach");
}

std::string BuildHeaderBlock(const TStringList& headerLines, const std::string& dateText) {
  std::string block;
  AddLine(block, "Date: " + dateText);
  bool withholding = false;
  for (const std::string& line : headerLines) {
    if (!IsContinuation(line)) withholding = IsWithheldField(line);
    if (!withholding) AddLine(block, line);
  }
  AddLine(block, std::string());
  return block;
}

TStringList HeaderRecipients(const TStringList& headerLines) {
  TStringList recipients;
  for (const char* field : {"To:", "CC:", "BCC:"}) GetFieldValues(headerLines, field, recipients);
  return recipients;
}

bool HasEightBitBytes(TStream& stream, std::int64_t start, std::int64_t length) {
  std::string chunk(k_scanChunk, '\0');
  stream.SetPosition(start);
  for (std::int64_t left = length; left > 0;) {
    const std::int32_t count = static_cast<std::int32_t>(std::min<std::int64_t>(left, k_scanChunk));
    if (stream.Read(chunk.data(), count) != count) throw ERawSmtpError(k_textCannotReadMail);
    for (std::int32_t i = 0; i < count; ++i)
      if (static_cast<unsigned char>(chunk[static_cast<std::size_t>(i)]) >= 0x80) return true;
    left -= count;
  }
  return false;
}
