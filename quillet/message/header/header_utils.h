// Free functions over RFC 822 header text: fields and parameters, address lists, priority
// and message/partial headers, the date line and RFC 2047 encoded words. Header text is a
// list of physical lines as read from the message, up to the first empty line.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "quillet/common/datetime.h"
#include "quillet/common/lines.h"
#include "quillet/common/paths.h"
#include "quillet/message/header/header_texts.h"

// Without leading and trailing spaces and TABs.
std::string Trim(const std::string& text);
// Removes empty entries at the start and at the end.
void TrimEmptyLines(TStringList& lines);
// The value of the first line that begins with fieldName (any case; pass "From:" or
// "Content-Type") and holds a ":": the text after the ":", trimmed, with each following
// continuation line (starting with a blank) trimmed and joined after one space. Empty
// when absent.
std::string GetField(const TStringList& header, const std::string& fieldName);
// Adds the address-list items of that field (continuations included) to values.
void GetFieldValues(const TStringList& header, const std::string& fieldName, TStringList& values);
// Adds the items of text separated by commas outside double quotes, trimmed; empty
// items are dropped.
void SplitCommaList(const std::string& text, TStringList& items);
// The text up to the first blank or ";", trimmed ("text/plain" of "text/plain; ...").
std::string MainValue(const std::string& fieldValue);
// The value of a parameter of a field value (quotes removed), or k_unableToGet. The name
// is searched as a substring (any case), preferring a place where it starts a parameter.
std::string GetParam(const std::string& paramName, const std::string& fieldValue);
// 1 (high), 3 (normal) or 5 (low) from the first field whose name contains fieldName
// (callers pass "Priority").
int GetPriority(const TStringList& header, const std::string& fieldName);
// True, with the id, when Content-Type is message/partial with an id; number and total
// are set only when the parameters are there and numeric.
bool GetPartialInfo(const TStringList& header, std::string& id, int& number, int& total);
// The date line, e.g. "Mon, 7 Dec 1998 9:5:3 +0800", in the zone of the system.
std::string FormatDate(TDateTime now);
// The same for a zone bias in minutes (local time + bias = UTC; UTC+8 is -480).
std::string FormatDate(TDateTime now, int biasMinutes);
// "+0800" for a bias of -480, "-0500" for 300, "+0530" for -330.
std::string FormatZone(int biasMinutes);
// Day, month name, year, hour and minute of a date line; the current date and time when
// the text cannot be read. Two-digit years: 00..49 are 2000..2049, 50..99 are 1950..1999.
TDateTime ParseDate(const std::string& text);
// The text (system code page) as RFC 2047 Q-encoded words labelled GB2312 (GBK when it
// holds characters outside GB2312), each at most 75 characters, separated by spaces.
// Empty for an empty text.
std::string EncodeWord(const std::string& text);
// Decodes every encoded word (Q or B, with HZ inside when the charset names HZ) into the
// system code page, dropping white space between adjacent words; a text without encoded
// words but with "~{" and "~}" is HZ-decoded.
std::string DecodeWords(const std::string& text);
// The bytes of a text in the named charset, in the system code page (GBK). GBK, GB2312
// and HZ texts, ASCII, GB2312 text labelled ISO-8859-1 or windows-1252, and charsets the
// platform cannot convert (a missing one too) keep their bytes.
std::string ToSystemCodePage(const std::string& charset, const std::string& bytes);
// Any byte of 128 or above.
bool HasEightBit(const std::string& text);
bool HasEightBit(const TStringList& lines);
// Takes the first item off the list text; the list keeps the rest.
std::string FirstAddressItem(std::string& listText);
// The display name of an address item, or its address when it has no name.
std::string DisplayNameOf(const std::string& item);
// The bare address of an item.
std::string AddressOf(const std::string& item);
// All addresses and all names of the list, each joined by ", " and cut to 255 bytes.
void SplitAddresses(const std::string& listText, std::string& addresses, std::string& names);

struct TEnvelope {
  std::string From, Sender, ReplyTo;  // decoded
  TStringList To, Cc;                 // address-list items
};
TEnvelope ParseEnvelope(const TStringList& header);

// The folder with a trailing separator (the platform's, when one is added); a double-byte
// character ending in 0x5C is not taken for one, and an empty folder stays empty.
inline std::string WithBackslash(const std::string& folder) { return paths::WithTrailingSeparator(folder); }

// (name, address) pairs, each cut to 255 bytes; lookup by exact, case-sensitive name.
// Adding a name that is already there replaces its address.
class TRuntimeAddress {
 public:
  void Add(const std::string& name, const std::string& address);
  // Empty when the name is not there.
  std::string Find(const std::string& name) const;
  bool Contains(const std::string& name) const;
  bool Remove(const std::string& name);
  int Count() const { return static_cast<int>(entries_.size()); }
  const std::pair<std::string, std::string>& Item(int index) const { return entries_[static_cast<size_t>(index)]; }
  void Clear() { entries_.clear(); }

 private:
  std::vector<std::pair<std::string, std::string>> entries_;
};
