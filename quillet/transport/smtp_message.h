// What the SMTP client makes of a queued message's stored header: the header block it
// sends and the recipients it names in RCPT TO.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "quillet/common/lines.h"
#include "quillet/common/stream.h"

// Widens the recipients (nicknames and lists of an address book) before RCPT TO; the
// caller supplies it, so the transport does not depend on the address book library.
using TRecipientExpander = std::function<TStringList(const TStringList& recipients)>;

// Lines that never reach the server: fields beginning (any case) with "BCC" or
// "X-JayAttach", whose continuation lines (beginning with a blank) go with them.
bool IsWithheldField(const std::string& line);

// "Date: " + dateText, the header lines except the withheld fields, and one empty line,
// each line ended by CR LF.
std::string BuildHeaderBlock(const TStringList& headerLines, const std::string& dateText);

// The address-list items of the "To:", "CC:" and "BCC:" fields, in that order.
TStringList HeaderRecipients(const TStringList& headerLines);

// Whether a byte at or above 0x80 lies in the stream's range. Raises ERawSmtpError
// k_textCannotReadMail when the stream gives fewer bytes than the range holds.
bool HasEightBitBytes(TStream& stream, std::int64_t start, std::int64_t length);
