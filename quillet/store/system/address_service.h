// The address book as the system manager offers it to the composer and the mail sender.
// The book's code sits above the store, so the composition root installs an
// implementation (quillet/addressbook/book_service.h) in the manager.
#pragma once

#include <string>

#include "quillet/common/lines.h"

class TAddressService {
 public:
  virtual ~TAddressService() = default;
  // A typed list ("Tom, Friends, ann@example.com") to addresses: card names become
  // "Name <address>", group names their members; an item holding "@" or "<" stays as
  // typed. Names the book does not know go to unknown.
  virtual void ExpandRecipients(const std::string& list, TStringList& addresses, TStringList& unknown) = 0;
  // The name the book keeps for an address (any case); empty when it has none.
  virtual std::string NameOf(const std::string& address) = 0;
};
