#include "quillet/message/composer/recipients.h"

#include <algorithm>

std::string HeaderSafe(const std::string& text) {
  std::string safe = text;
  std::replace(safe.begin(), safe.end(), '\r', ' ');
  std::replace(safe.begin(), safe.end(), '\n', ' ');
  return safe;
}

namespace {

std::string NameText(const std::string& name, bool encodeNames) {
  if (encodeNames && HasEightBit(name)) return EncodeWord(name);
  if (name.find(',') != std::string::npos) return "\"" + name + "\"";
  return name;
}

std::string Entry(const std::string& item, const TRuntimeAddress* resolver, const TAddressNameLookup& nameOf,
                  bool encodeNames) {
  std::string name, address;
  if (item.find('<') != std::string::npos) {
    address = AddressOf(item);
    name = DisplayNameOf(item);
    if (name == address) name.clear();
  } else if (resolver && resolver->Contains(item)) {
    name = item;
    address = resolver->Find(item);
  } else {
    address = item;
    if (nameOf) name = nameOf(address);
  }
  name = Trim(name);
  if (name.empty()) return "<" + address + ">";
  return NameText(name, encodeNames) + " <" + address + ">";
}

}  // namespace

TStringList ExpandRecipients(const TStringList& lines, const TRuntimeAddress* resolver,
                             const TAddressNameLookup& nameOf, bool encodeNames) {
  TStringList entries;
  for (const std::string& line : lines) {
    std::string text = HeaderSafe(line);
    std::replace(text.begin(), text.end(), ';', ',');
    TStringList items;
    SplitCommaList(text, items);
    for (const std::string& item : items) entries.push_back(Entry(item, resolver, nameOf, encodeNames));
  }
  return entries;
}

void WriteRecipientLines(TStream& out, const std::string& fieldName, const TStringList& entries) {
  for (size_t i = 0; i < entries.size(); ++i) {
    const std::string lead = i == 0 ? fieldName + ": " : " ";
    WriteLine(out, lead + entries[i] + (i + 1 < entries.size() ? "," : ""));
  }
}
