#include "quillet/addressbook/address_box.h"

#include <cctype>
#include <cstdio>

#include "quillet/addressbook/address_texts.h"
#include "quillet/common/gbk.h"

namespace {

TIdxRecord RecordOfNote(const TAddressNote& note) {
  CheckNoteFits(note);
  TIdxRecord record;
  record.Id = note.Head.Id;
  EncodeAddressHead(note.Head, record.Summary);
  return record;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const size_t length = gbk::CharLength(a, i);
    if (length == 2) {
      if (a.compare(i, 2, b, i, 2) != 0) return false;
      ++i;
    } else if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

std::string Recipient(const TAddressHead& card) {
  const bool quote = card.Name.find(',') != std::string::npos;
  return (quote ? "\"" + card.Name + "\"" : card.Name) + " <" + card.Address + ">";
}

std::string UpdateQuestion(const TAddressNote& card) {
  std::string text(sizeof k_textAskUpdateAddress + card.Head.Name.size() + card.Head.Address.size(), '\0');
  const int length = std::snprintf(&text[0], text.size(), k_textAskUpdateAddress, card.Head.Name.c_str(),
                                   card.Head.Address.c_str());
  text.resize(static_cast<size_t>(length));
  return text;
}

}  // namespace

void AddNote(TAddressBox& book, TAddressNote& note) {
  TIdxRecord record = RecordOfNote(note);
  TMemoryStream text(NoteRecordText(note));
  book.Append(record, text, text.Size(), 0);
  note.Head.Id = record.Id;
}

void UpdateNote(TAddressBox& book, const TAddressNote& note) {
  TIdxRecord record = RecordOfNote(note);
  TMemoryStream text(NoteRecordText(note));
  TIdxRecord stored;
  if (!book.FindRecord(note.Head.Id, stored) || !book.ReplaceMessage(record, text))
    throw EAddressBookError(k_textNoEntryId + std::to_string(note.Head.Id));
}

bool LoadNote(TAddressBox& book, std::int32_t id, TAddressNote& note) {
  note.Clear();
  TIdxRecord record;
  if (!book.FindRecord(id, record)) return false;
  TAddressNote loaded;
  DecodeAddressHead(record, loaded.Head);
  TMemoryStream text;
  if (!book.ReadMessage(id, text, true)) return false;
  ReadNoteRecordText(text.Bytes(), loaded);
  note = std::move(loaded);
  return true;
}

void ListHeads(TAddressBox& book, std::vector<TAddressHead>& heads, std::vector<std::int32_t>& damaged) {
  std::vector<TIdxRecord> records;
  book.ListRecords(records);
  for (const TIdxRecord& record : records) {
    TAddressHead head;
    try {
      DecodeAddressHead(record, head);
      heads.push_back(std::move(head));
    } catch (const EAddressBookError&) {
      damaged.push_back(record.Id);
    }
  }
}

std::int32_t FindId(TAddressBox& book, const std::string& name) {
  std::vector<TAddressHead> heads;
  std::vector<std::int32_t> damaged;
  ListHeads(book, heads, damaged);
  for (const TAddressHead& head : heads)
    if (SameNameIgnoringCase(head.Name, name)) return head.Id;
  return -1;
}

bool LoadNoteByName(TAddressBox& book, const std::string& name, TAddressNote& note) {
  const std::int32_t id = FindId(book, name);
  if (id != -1) return LoadNote(book, id, note);
  note.Clear();
  return false;
}

std::string LookupAddress(TAddressBox& book, const std::string& name) {
  TAddressHead head;
  TIdxRecord record;
  const std::int32_t id = FindId(book, name);
  if (id == -1 || !book.FindRecord(id, record)) return std::string();
  DecodeAddressHead(record, head);
  return head.IsGroup ? k_textGroupMarker : head.Address;
}

bool IsGroupMarker(const std::string& text) { return text.find(k_textGroupMarker) != std::string::npos; }

bool ExpandGroup(TAddressBox& book, const std::string& name, TStringList& list) {
  TAddressNote group;
  if (!LoadNoteByName(book, name, group)) return false;
  for (std::int32_t id : group.Members) {
    TIdxRecord record;
    TAddressHead card;
    if (!book.FindRecord(id, record)) continue;  // the card was deleted
    DecodeAddressHead(record, card);
    if (!card.IsGroup) list.push_back(Recipient(card));
  }
  return true;
}

std::int32_t AddGroup(TAddressBox& book, const std::string& name, const TStringList& memberNames) {
  TAddressNote group;
  group.Head.IsGroup = true;
  group.Head.Name = name;
  CheckNoteFits(group);
  if (FindId(book, name) != -1) throw EAddressBookError(k_textEntryExists + name);
  for (const std::string& memberName : memberNames) {
    TAddressNote member;
    if (!LoadNoteByName(book, memberName, member)) throw EAddressBookError(k_textNoEntryNamed + memberName);
    if (member.Head.IsGroup) throw EAddressBookError(k_textNotACard + memberName);
    group.Members.push_back(member.Head.Id);
  }
  AddNote(book, group);
  return group.Head.Id;
}

bool AddOrUpdateAddress(TAddressBox& book, const std::string& name, const std::string& address,
                        TUserPrompts& prompts, const TAddressNotify& notify) {
  TAddressNote card;
  // The name is cut before the search, so that a long name finds the card made of it.
  const std::string cutName = gbk::Cut(name, k_addressNameWidth);
  if (!LoadNoteByName(book, cutName, card)) {
    card.Head.Name = cutName;
    card.Head.Address = gbk::Cut(address, k_addressMailWidth);
    AddNote(book, card);
    if (notify) notify(card, TAddressChange::Added);
    return true;
  }
  if (card.Head.IsGroup) throw EAddressBookError(k_textNotACard + card.Head.Name);
  if (!prompts.AskYesNo(UpdateQuestion(card))) return false;
  card.Head.Address = gbk::Cut(address, k_addressMailWidth);
  UpdateNote(book, card);
  if (notify) notify(card, TAddressChange::Updated);
  return true;
}
