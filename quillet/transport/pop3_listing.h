// Reading the replies of STAT, UIDL and LIST. A message's number is its line's position in
// the listing (from 1), not the number the line prints.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quillet/common/lines.h"

// A server message: its unique identifier and its number in this session.
struct TMessageId {
  std::string Id;
  std::int32_t Number = 0;
};
using TMessageIds = std::vector<TMessageId>;

// Whether a reply is positive ("+OK"): its first byte is '+'.
bool IsPositive(const std::string& reply);
// The reply without its line end, for a message.
std::string WithoutLineEnd(std::string line);

// The APOP timestamp of a greeting: the first "<...>" holding an '@' and no blank, with
// its angle brackets; empty when the greeting has none.
std::string ApopTimestamp(const std::string& greeting);
// Whether the lines of a CAPA listing name STLS (the first word, any case).
bool OffersStls(const TStringList& capabilities);

// "+OK count size": the count is the text between the first and the second blank, the
// size the rest with trailing non-digits removed (0 when it is not a number). False when
// the count is not a number.
bool ParseStatReply(const std::string& line, std::int32_t& count, std::int32_t& totalSize);

// The lines of a multi-line reply without the status line and the "." line (when there is
// more than one line), without their line ends.
TStringList ListingLines(const std::string& block);

// The identifiers of a UIDL listing: the text after each line's first blank, numbered by
// line position.
TMessageIds UidlEntries(const TStringList& lines);

// The sizes of a LIST listing in order: the number after each line's first blank. Throws
// EMailError "List command error: " + the line for a line without one.
std::vector<std::int32_t> ListSizes(const TStringList& lines);

// The entry with this number in a list ordered by number; nullptr when there is none.
const TMessageId* FindByNumber(const TMessageIds& ids, std::int32_t number);
