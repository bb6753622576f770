// Shared pieces of the SMTP client tests: an outbox filled by the composer or directly,
// and what a server must receive of a stored message.
#pragma once

#include <cstdint>
#include <string>

#include "quillet/common/user_prompts.h"
#include "quillet/message/composer/message_writer.h"

namespace smtp_test {

// The date the tests give the client for the header block's Date line.
inline constexpr char k_date[] = "Tue, 8 Dec 2026 16:5:9 +0000";

// From me@example.org to the one address, with the subject and body lines.
TComposeInput Input(const std::string& to, const std::string& subject, const TStringList& body);
// Composes the message into the outbox as the compose window does (full mode); its id.
std::int32_t Compose(const std::string& outbox, const TComposeInput& input, TUserPrompts& prompts);
// Stores the text as it is, bypassing the composer; its id.
std::int32_t AppendRaw(const std::string& outbox, const std::string& text);
// The stored text of an outbox message.
std::string StoredText(const std::string& outbox, std::int32_t id);

// What the client must send in DATA for a stored text with CR LF line ends: "Date: " +
// k_date, the header without its BCC and X-JayAttach fields (continuations included),
// the empty line, the body with one more "." before each line that begins with one
// (except a line ".."), and the "." line, after a CR LF when the body does not end with
// one. Written independently of the client's code.
std::string WireText(const std::string& stored);
// What a server keeps of it: the same header block, the body with each ".." line back to
// "." as the composer's user typed it, and a CR LF when the body does not end with one.
std::string DeliveredText(const std::string& stored);

}  // namespace smtp_test
