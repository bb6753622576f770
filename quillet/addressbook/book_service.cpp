#include "quillet/addressbook/book_service.h"

#include <vector>

#include "platform/file.h"
#include "quillet/addressbook/address_box.h"
#include "quillet/addressbook/recipients.h"
#include "quillet/common/gbk.h"
#include "quillet/message/header/header_utils.h"

// A missing book is not created by a lookup: every name is then unknown.
bool TBookAddressService::BookExists() const { return platform::FileExists(bookPath_ + ".IND"); }

void TBookAddressService::ExpandRecipients(const std::string& list, TStringList& addresses, TStringList& unknown) {
  if (BookExists()) {
    TAddressBox book(bookPath_);
    ::ExpandRecipients(book, list, addresses, unknown);
    return;
  }
  TStringList items;
  SplitCommaList(list, items);
  for (const std::string& item : items)
    (IsAddressItem(item) ? addresses : unknown).push_back(item);
}

std::string TBookAddressService::NameOf(const std::string& address) {
  if (!BookExists()) return {};
  TAddressBox book(bookPath_);
  std::vector<TAddressHead> heads;
  std::vector<std::int32_t> damaged;
  ListHeads(book, heads, damaged);
  for (const TAddressHead& head : heads)
    if (!head.IsGroup && gbk::EqualNoCase(head.Address, address)) return head.Name;
  return {};
}
