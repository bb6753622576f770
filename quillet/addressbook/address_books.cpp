#include "quillet/addressbook/address_books.h"

#include <cctype>

#include "platform/file.h"
#include "quillet/addressbook/address_texts.h"
#include "quillet/common/exceptions.h"
#include "quillet/common/paths.h"
#include "quillet/store/mailbox/idx_file.h"

namespace {

constexpr char k_indexExtension[] = ".IND";

bool SameFileName(std::string a, std::string b) {
  for (char& c : a) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (char& c : b) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return a == b;
}

std::string StoredTitle(const std::string& basePath) {
  try {
    const std::string title = TIdxFile(basePath).GetTitle();
    if (!title.empty()) return title;
  } catch (const Exception&) {
    // An unreadable index is still listed, under its file name.
  }
  return paths::FileNamePart(basePath);
}

}  // namespace

std::vector<TAddressBookEntry> ListAddressBooks(const std::string& defaultBookPath, const std::string& addressFolder) {
  std::vector<TAddressBookEntry> books{{k_textDefaultBookTitle, defaultBookPath}};
  const std::string defaultIndex = paths::FileNamePart(defaultBookPath) + k_indexExtension;
  for (const std::string& name : platform::FilesWithExtension(addressFolder, k_indexExtension)) {
    if (SameFileName(name, defaultIndex)) continue;  // listed first already
    const std::string basePath = paths::WithTrailingSeparator(addressFolder) + paths::WithoutExtension(name);
    books.push_back({StoredTitle(basePath), basePath});
  }
  return books;
}
