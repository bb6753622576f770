// Recipient expansion for the composer and the mail sender: a recipient list as typed
// ("Tom, Friends, ann@example.com") becomes the addresses to write and to send to.
#pragma once

#include "quillet/addressbook/address_box.h"
#include "quillet/common/lines.h"

// An item holding "@" or "<" is an address, not a name of the book.
bool IsAddressItem(const std::string& item);

// Splits the list at commas outside double quotes. An item holding "@" or "<" is an
// address and is kept as it is; a card's name becomes name + " <" + address + ">"; a
// group's name becomes its members (ExpandGroup). A name the book does not know goes to
// unknown. An address that is already in addresses (any case) is not added again.
void ExpandRecipients(TAddressBox& book, const std::string& list, TStringList& addresses, TStringList& unknown);
