#include "quillet/addressbook/recipients.h"

#include <algorithm>
#include <cctype>

#include "quillet/message/header/header_utils.h"

namespace {

// The mailbox part of "Name <box@host>", or the whole item, in upper case.
std::string AddressKey(const std::string& item) {
  const size_t open = item.rfind('<');
  const size_t close = item.find('>', open == std::string::npos ? 0 : open);
  std::string key = open != std::string::npos && close != std::string::npos ? item.substr(open + 1, close - open - 1)
                                                                             : Trim(item);
  for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

void AddOnce(const std::string& address, TStringList& addresses) {
  const std::string key = AddressKey(address);
  if (std::none_of(addresses.begin(), addresses.end(),
                   [&](const std::string& known) { return AddressKey(known) == key; }))
    addresses.push_back(address);
}

// A name as the book stores it: without the double quotes that protect a comma.
std::string Unquoted(const std::string& item) {
  return item.size() >= 2 && item.front() == '"' && item.back() == '"' ? item.substr(1, item.size() - 2) : item;
}

}  // namespace

bool IsAddressItem(const std::string& item) { return item.find_first_of("@<") != std::string::npos; }

void ExpandRecipients(TAddressBox& book, const std::string& list, TStringList& addresses, TStringList& unknown) {
  TStringList items;
  SplitCommaList(list, items);
  for (const std::string& item : items) {
    TStringList found;
    if (IsAddressItem(item)) {
      found.push_back(item);
    } else {
      const std::string address = LookupAddress(book, Unquoted(item));
      if (IsGroupMarker(address)) ExpandGroup(book, Unquoted(item), found);
      else if (!address.empty()) found.push_back(item + " <" + address + ">");
      else unknown.push_back(item);
    }
    for (const std::string& one : found) AddOnce(one, addresses);
  }
}
