// The list of address books: the default book first, listed as "<默认地址簿>", then every
// other "*.IND" pair of the address folder under the title stored in its index (its file
// name when the title is empty or the index cannot be read).
#pragma once

#include <string>
#include <vector>

struct TAddressBookEntry {
  std::string Title;
  std::string BasePath;  // without ".IND"
};

std::vector<TAddressBookEntry> ListAddressBooks(const std::string& defaultBookPath, const std::string& addressFolder);
