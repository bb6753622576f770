// The default address book as the system manager's address service: each call opens the
// book and closes it again, so no file handle is held between calls.
#pragma once

#include <string>

#include "quillet/store/system/address_service.h"

class TBookAddressService : public TAddressService {
 public:
  explicit TBookAddressService(std::string bookPath) : bookPath_(std::move(bookPath)) {}
  void ExpandRecipients(const std::string& list, TStringList& addresses, TStringList& unknown) override;
  std::string NameOf(const std::string& address) override;

 private:
  bool BookExists() const;
  std::string bookPath_;
};
