#include "tests/transport/smtp_test_support.h"

#include <cctype>

#include "quillet/store/mailbox/mail_box.h"
#include "quillet/store/system/msg_encode.h"

namespace smtp_test {

TComposeInput Input(const std::string& to, const std::string& subject, const TStringList& body) {
  TComposeInput input;
  input.From = "Me <me@example.org>";
  input.To = {to};
  input.Subject = subject;
  input.Body = body;
  input.VersionText = "1.0";
  return input;
}

std::int32_t Compose(const std::string& outbox, const TComposeInput& input, TUserPrompts& prompts) {
  TMailHead head;
  head.State = 2;
  TMsgEncode encode(outbox, head, TComposeSettings(), prompts);
  encode.Input = input;
  encode.Encode(true);
  return head.Id;
}

std::int32_t AppendRaw(const std::string& outbox, const std::string& text) {
  TMailBox box(outbox);
  TMailHead head;
  head.State = 2;
  TMemoryStream stream(text);
  box.AddMessage(head, stream);
  return head.Id;
}

std::string StoredText(const std::string& outbox, std::int32_t id) {
  TMailBox box(outbox);
  std::unique_ptr<TStream> stream = box.OpenMessageStream(id);
  std::string text(static_cast<size_t>(stream->Size()), '\0');
  if (!text.empty()) stream->ReadBuffer(&text[0], static_cast<std::int32_t>(text.size()));
  return text;
}

namespace {

bool StartsWithNoCase(const std::string& line, const std::string& prefix) {
  if (line.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(line[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

}  // namespace

namespace {

// "Date: " + k_date, the header lines without the withheld fields, the empty line; pos
// moves to the body.
std::string HeaderBlockOf(const std::string& stored, size_t& pos) {
  std::string block = std::string("Date: ") + k_date + "\r\n";
  bool withheld = false;
  pos = 0;
  while (pos < stored.size()) {
    size_t end = stored.find("\r\n", pos);
    std::string line = stored.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    pos = end == std::string::npos ? stored.size() : end + 2;
    if (line.empty()) break;
    if (line[0] != ' ' && line[0] != '\t') withheld = StartsWithNoCase(line, "bcc") || StartsWithNoCase(line, "x-jayattach");
    if (!withheld) block += line + "\r\n";
  }
  return block + "\r\n";
}

// The body with each line (its CR LF kept) passed through `change`.
std::string MapBodyLines(const std::string& stored, size_t pos, std::string (*change)(const std::string&)) {
  std::string body;
  while (pos < stored.size()) {
    size_t end = stored.find("\r\n", pos);
    size_t next = end == std::string::npos ? stored.size() : end + 2;
    body += change(stored.substr(pos, next - pos));
    pos = next;
  }
  return body;
}

std::string Stuffed(const std::string& line) { return line[0] == '.' && line != "..\r\n" ? "." + line : line; }
std::string Typed(const std::string& line) { return line == "..\r\n" ? ".\r\n" : line; }

// The text with its last line ended: a CR LF when it has none.
std::string LastLineEnded(const std::string& text) {
  const bool ended = text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0;
  return ended ? text : text + "\r\n";
}

}  // namespace

std::string WireText(const std::string& stored) {
  size_t pos = 0;
  std::string header = HeaderBlockOf(stored, pos);
  return LastLineEnded(header + MapBodyLines(stored, pos, Stuffed)) + ".\r\n";
}

std::string DeliveredText(const std::string& stored) {
  size_t pos = 0;
  std::string header = HeaderBlockOf(stored, pos);
  return LastLineEnded(header + MapBodyLines(stored, pos, Typed));
}

}  // namespace smtp_test
