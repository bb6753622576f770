// One card (a person: a name, one e-mail address and contact details) or group (a named
// list of cards) of an address book. The fixed part, TAddressHead, fills the 163-byte
// summary of the item's index record; the rest is the item's text in the data file:
//   card:  "HomeTel: v", "OfficeTel: v", "Company: v", "HomeAddress: v", "PostCode: v",
//          "Fax: v", "HomePage: v", an empty line, then the note lines;
//   group: "Members: ID" with each further id on a line " ID", an empty line, then the
//          description lines.
// Every line ends in CR LF; the empty line keeps note lines that look like fields notes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quillet/common/exceptions.h"
#include "quillet/common/lines.h"
#include "quillet/store/mailbox/detail/idx_format.h"

// A damaged record, a missing entry, or a value that does not fit its field.
class EAddressBookError : public Exception {
 public:
  using Exception::Exception;
};

// Field widths in characters (bytes of GBK text).
constexpr int k_addressNameWidth = 32;
constexpr int k_addressMailWidth = 64;
constexpr int k_telWidth = 24;
constexpr int k_homeAddressWidth = 64;
constexpr int k_postCodeWidth = 16;
constexpr int k_faxWidth = 24;
constexpr int k_unlimitedWidth = -1;  // Company and HomePage

// Summary layout: id 0 (4), group flag 4 (1), name 5 (length byte + 32), address 38
// (length byte + 64), reserved 103 (60, zeros).
struct TAddressHead {
  std::int32_t Id = -1;  // -1: no record loaded
  bool IsGroup = false;
  std::string Name;
  std::string Address;
};

struct TAddressNote {
  TAddressHead Head;
  std::string HomeTel;
  std::string OfficeTel;
  std::string Company;
  std::string HomeAddress;
  std::string PostCode;
  std::string Fax;
  std::string HomePage;
  std::vector<std::int32_t> Members;  // ids of the group's cards
  TStringList Notes;                  // free text lines

  // Id -1, a card, every field and list empty.
  void Clear() { *this = TAddressNote(); }
};

// Throws EAddressBookError when the name is empty or a value is too long for its field
// or holds a line break; nothing is cut silently.
void CheckNoteFits(const TAddressNote& note);

// The head into a record summary (after CheckNoteFits) and back; a length byte beyond
// its field raises EAddressBookError naming the record's id.
void EncodeAddressHead(const TAddressHead& head, TIdxSummary& summary);
void DecodeAddressHead(const TIdxRecord& record, TAddressHead& head);

// The item text of a note, and the fields, members and notes of an item text (the head
// is left as it is). Fields are cut to their widths; member values that are not numbers
// are skipped.
std::string NoteRecordText(const TAddressNote& note);
void ReadNoteRecordText(const std::string& text, TAddressNote& note);
