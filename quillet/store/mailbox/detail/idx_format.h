// The on-disk form of a mailbox file pair: the 64-byte index header, the 176-byte index
// record and the 16-byte separator that precedes every item in the data file.
//
// All integers are little-endian and doubles are IEEE 754 bytes; every field is encoded
// and decoded byte by byte, so the files are identical whatever the compiler's struct
// layout or the machine's byte order.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "quillet/common/datetime.h"

constexpr std::int32_t k_idxHeaderSize = 64;
constexpr std::int32_t k_idxRecordSize = 176;
constexpr std::int32_t k_idxSummarySize = 163;
constexpr std::int32_t k_idxTitleSize = 17;        // 16 characters and a terminating zero
constexpr std::int32_t k_idxTitleLength = 16;
constexpr std::int32_t k_separatorSize = 16;
constexpr std::uint8_t k_idxVersion = 6;

// Seven bytes 10h, six bytes 11h, then "S" CR LF.
extern const std::array<std::uint8_t, k_separatorSize> k_itemSeparator;

// The bytes an index record leaves to its owner: the message summary for mailboxes, the
// address head for address books. The first four bytes carry a copy of the item id.
using TIdxSummary = std::array<std::uint8_t, k_idxSummarySize>;

// The index header as it lives in memory (the date in the in-memory form).
struct TIdxHeader {
  std::array<std::uint8_t, 4> Signature{{'K', 'W', 'B', 0}};  // byte 3 is the terminator
  std::uint8_t Version = k_idxVersion;
  std::int32_t LastId = 0;          // highest id ever given in this pair
  TDateTime Created = 0;
  std::uint8_t Encrypted = 0;       // 1 while the data lives enciphered in the ".BO~" file
  std::array<std::uint8_t, k_idxTitleSize> Title{};
  std::int32_t WastedBytes = 0;     // bytes of deleted or superseded items, separators included
  std::int32_t TotalBytes = 64;     // bytes counted as written to the data file
  std::int32_t UnreadCount = 0;     // live unread records (mailboxes only)
  std::int32_t ItemCount = 0;       // live records (mailboxes only)
  std::array<std::uint8_t, 13> Reserved{};

  // The title up to its terminating zero.
  std::string TitleText() const;
  // The first reserved byte (offset 51) is nonzero only while a writer of a pair that
  // keeps counters is between changing a record and updating the counters; found set
  // when the pair is opened, it tells that a writer stopped there, and the counters are
  // worked out again.
  bool CountsPending() const { return Reserved[0] != 0; }
  void SetCountsPending(bool pending) { Reserved[0] = pending ? 1 : 0; }
};

// One index record.
struct TIdxRecord {
  std::int32_t Id = -1;
  std::uint8_t Deleted = 0;         // nonzero: deleted
  std::int32_t DataOffset = 0;      // first text byte in the data file, just after the separator
  std::int32_t DataSize = 0;
  TIdxSummary Summary{};

  bool IsLive() const { return Deleted == 0; }
};

// Dates are stored as the in-memory day count + 693594. A stored value below 36500 comes
// from the older form and reads back 366 days later than its raw value.
double DateToDisk(TDateTime date);
TDateTime DateFromDisk(double stored);

void EncodeHeader(const TIdxHeader& header, std::uint8_t* bytes64);
void DecodeHeader(const std::uint8_t* bytes64, TIdxHeader& header);
void EncodeRecord(const TIdxRecord& record, std::uint8_t* bytes176);
void DecodeRecord(const std::uint8_t* bytes176, TIdxRecord& record);

// Field offsets inside a record, for code that reads single fields of raw records.
namespace idx_record_offset {
constexpr int k_id = 0;
constexpr int k_deleted = 4;
constexpr int k_dataOffset = 5;
constexpr int k_dataSize = 9;
constexpr int k_summary = 13;
}  // namespace idx_record_offset
