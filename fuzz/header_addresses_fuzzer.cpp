// Address-list handling on arbitrary header lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "quillet/common/lines.h"
#include "quillet/message/header/header_utils.h"


extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const TStringList header = SplitLines(text);

  TStringList items;
  SplitCommaList(text, items);
  for (const std::string& item : items) {
    if (item.empty()) std::abort();
    DisplayNameOf(item);
    AddressOf(item);
  }

  // Each step must take something off the list, so the loop ends. (Taking items one by
  // one copies the rest each time, so long lists are only walked in part.)
  std::string list = text;
  for (int step = 0; step < 256 && !list.empty(); ++step) {
    const std::size_t before = list.size();
    const std::string item = FirstAddressItem(list);
    if (list.size() >= before) std::abort();
    DisplayNameOf(item);
    AddressOf(item);
  }

  std::string addresses, names;
  SplitAddresses(text, addresses, names);
  if (addresses.size() > 255 || names.size() > 255) std::abort();

  TStringList values;
  GetFieldValues(header, "To:", values);
  ParseEnvelope(header);

  TRuntimeAddress book;
  const std::size_t entries = items.size() < 64 ? items.size() : 64;
  for (std::size_t i = 0; i < entries; ++i) book.Add(DisplayNameOf(items[i]), AddressOf(items[i]));
  for (std::size_t i = 0; i < entries; ++i)
    if (!book.Contains(DisplayNameOf(items[i]))) std::abort();
  return 0;
}
