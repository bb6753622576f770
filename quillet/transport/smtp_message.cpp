#include "quillet/transport/smtp_message.h"

#include "quillet/common/gbk.h"
#include "quillet/message/header/header_utils.h"

namespace {

bool IsContinuation(const std::string& line) { return !line.empty() && (line[0] == ' ' || line[0] == '\t'); }

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
