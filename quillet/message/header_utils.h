// Free functions over RFC 822 header text: fields and parameters, address lists, priority
// and message/partial headers, the date line and RFC 2047 encoded words. Header text is a
// list of physical lines as read from the message, up to the first empty line.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "quillet/common/datetime.h"
#include "quillet/common/lines.h"

// The result of a parameter lookup that found nothing.
extern const char* const kUnableToGet;  // "$$Unable to Get$$"

std::string Trim(const std::string& text);
void TrimEmptyLines(TStringList& lines);
std::string GetField(const TStringList& header, const std::string& fieldName);
void GetFieldValues(const TStringList& header, const std::string& fieldName, TStringList& values);
void SplitCommaList(const std::string& text, TStringList& items);
std::string MainValue(const std::string& fieldValue);
std::string GetParam(const std::string& paramName, const std::string& fieldValue);
int GetPriority(const TStringList& header, const std::string& fieldName);
bool GetPartialInfo(const TStringList& header, std::string& id, int& number, int& total);
std::string FormatDate(TDateTime now);
TDateTime ParseDate(const std::string& text);
std::string EncodeWord(const std::string& text);
std::string DecodeWords(const std::string& text);
bool HasEightBit(const std::string& text);
bool HasEightBit(const TStringList& lines);
// Takes the first item off the list text; the list keeps the rest.
std::string FirstAddressItem(std::string& listText);
std::string DisplayNameOf(const std::string& item);
std::string AddressOf(const std::string& item);
void SplitAddresses(const std::string& listText, std::string& addresses, std::string& names);

struct TEnvelope {
  std::string From, Sender, ReplyTo;  // decoded
  TStringList To, Cc;                 // address-list items
};
TEnvelope ParseEnvelope(const TStringList& header);

std::string WinSockErrorText(int error);
std::string WithBackslash(const std::string& folder);

// (name, address) pairs, each at most 255 characters; lookup by exact name.
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
