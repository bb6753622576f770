// Recipient lists as typed (one or more addresses per line) made into header entries.
#pragma once

#include <functional>
#include <string>

#include "quillet/common/lines.h"
#include "quillet/message/header/header_utils.h"

// The display name the address book keeps for an address; empty when it has none.
using TAddressNameLookup = std::function<std::string(const std::string& address)>;

// CR and LF become spaces, so that no typed text can start a header line of its own.
std::string HeaderSafe(const std::string& text);

// One entry per address: "Name <address>" (the name in double quotes when it holds a
// comma, as encoded words when encodeNames and it is 8-bit), or "<address>" when no name
// is known. An item that names an entry of the resolver takes its address; an item
// "Name <address>" keeps its own name. Items are separated by commas or semicolons.
TStringList ExpandRecipients(const TStringList& lines, const TRuntimeAddress* resolver,
                             const TAddressNameLookup& nameOf, bool encodeNames);

// The header lines of a list: first + "," / " " + next + "," ... / " " + last.
void WriteRecipientLines(TStream& out, const std::string& fieldName, const TStringList& entries);
