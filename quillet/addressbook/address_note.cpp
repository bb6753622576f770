#include "quillet/addressbook/address_note.h"

#include <cstdio>

#include "quillet/addressbook/address_texts.h"
#include "quillet/common/gbk.h"
#include "quillet/message/header/header_utils.h"

namespace {

constexpr int k_groupFlagOffset = 4;
constexpr int k_nameOffset = 5;
constexpr int k_mailOffset = 38;
constexpr int k_reservedOffset = 103;
constexpr char k_membersField[] = "Members";

struct TTextField {
  const char* name;
  std::string TAddressNote::*value;
  int width;
};

// The card's text fields in their stored order.
const TTextField k_textFields[] = {
    {"HomeTel", &TAddressNote::HomeTel, k_telWidth},
    {"OfficeTel", &TAddressNote::OfficeTel, k_telWidth},
    {"Company", &TAddressNote::Company, k_unlimitedWidth},
    {"HomeAddress", &TAddressNote::HomeAddress, k_homeAddressWidth},
    {"PostCode", &TAddressNote::PostCode, k_postCodeWidth},
    {"Fax", &TAddressNote::Fax, k_faxWidth},
    {"HomePage", &TAddressNote::HomePage, k_unlimitedWidth},
};

void CheckFits(const std::string& value, int width) {
  if (width != k_unlimitedWidth && value.size() > static_cast<size_t>(width)) {
    char text[96];
    std::snprintf(text, sizeof text, k_textFieldTooLong, width);
    throw EAddressBookError(text + value);
  }
  if (value.find_first_of("\r\n") != std::string::npos) throw EAddressBookError(k_textLineBreakInField + value);
}

void PutShortString(const std::string& value, int offset, TIdxSummary& summary) {
  summary[offset] = static_cast<std::uint8_t>(value.size());
  std::copy(value.begin(), value.end(), summary.begin() + offset + 1);
}

std::string GetShortString(const TIdxRecord& record, int offset, int width) {
  const int length = record.Summary[offset];
  if (length > width) throw EAddressBookError(k_textDamagedRecord + std::to_string(record.Id));
  const auto start = record.Summary.begin() + offset + 1;
  return std::string(start, start + length);
}

// The numbers among the values "1", "2 3" or "4, 5" of the Members field.
void ReadMembers(const TStringList& fields, std::vector<std::int32_t>& members) {
  TStringList values;
  GetFieldValues(fields, std::string(k_membersField) + ":", values);
  for (const std::string& value : values) {
    size_t pos = 0;
    while ((pos = value.find_first_not_of(" \t", pos)) != std::string::npos) {
      const size_t end = std::min(value.find_first_of(" \t", pos), value.size());
      const std::string word = value.substr(pos, end - pos);
      if (word.find_first_not_of("0123456789") == std::string::npos && word.size() <= 9)
        members.push_back(std::stoi(word));
      pos = end;
    }
  }
}

}  // namespace

void CheckNoteFits(const TAddressNote& note) {
  if (note.Head.Name.empty()) throw EAddressBookError(k_textEmptyName);
  CheckFits(note.Head.Name, k_addressNameWidth);
  CheckFits(note.Head.Address, k_addressMailWidth);
  for (const TTextField& field : k_textFields) CheckFits(note.*field.value, field.width);
}

void EncodeAddressHead(const TAddressHead& head, TIdxSummary& summary) {
  summary.fill(0);
  const auto id = static_cast<std::uint32_t>(head.Id);
  for (int i = 0; i < 4; ++i) summary[i] = static_cast<std::uint8_t>(id >> (8 * i));
  summary[k_groupFlagOffset] = head.IsGroup ? 1 : 0;
  PutShortString(head.Name, k_nameOffset, summary);
  PutShortString(head.Address, k_mailOffset, summary);
}

void DecodeAddressHead(const TIdxRecord& record, TAddressHead& head) {
  head.Id = record.Id;
  head.IsGroup = record.Summary[k_groupFlagOffset] != 0;
  head.Name = GetShortString(record, k_nameOffset, k_addressNameWidth);
  head.Address = GetShortString(record, k_mailOffset, k_reservedOffset - k_mailOffset - 1);
}

std::string NoteRecordText(const TAddressNote& note) {
  std::string text;
  if (note.Head.IsGroup) {
    text = std::string(k_membersField) + ": ";
    for (size_t i = 0; i < note.Members.size(); ++i)
      text += (i == 0 ? "" : "\r\n ") + std::to_string(note.Members[i]);
    text += "\r\n";
  } else {
    for (const TTextField& field : k_textFields) text += std::string(field.name) + ": " + note.*field.value + "\r\n";
  }
  text += "\r\n";
  for (const std::string& line : note.Notes) text += line + "\r\n";
  return text;
}

void ReadNoteRecordText(const std::string& text, TAddressNote& note) {
  const TStringList lines = SplitLines(text);
  size_t blank = 0;
  while (blank < lines.size() && !lines[blank].empty()) ++blank;
  const TStringList fields(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(blank));
  for (const TTextField& field : k_textFields) {
    const std::string value = GetField(fields, std::string(field.name) + ":");
    note.*field.value = field.width == k_unlimitedWidth ? value : gbk::Cut(value, static_cast<size_t>(field.width));
  }
  if (note.Head.IsGroup) ReadMembers(fields, note.Members);
  if (blank < lines.size())
    note.Notes.assign(lines.begin() + static_cast<std::ptrdiff_t>(blank) + 1, lines.end());
}
