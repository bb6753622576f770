// TMailHead, the in-memory summary of one message, and THeadList, a list that owns its
// heads. A head is what the message list, the receiving path and the composer exchange
// with a mailbox; on disk it is the 163-byte summary of the message's index record:
//
//   0  id copy (4)    4 state   5 status (1 = unread)   6 attachment   7 date (8, on-disk form)
//   15 priority       16 size (4)   20 correspondent and subject (128, two zero-ended strings)
//   148 label (2)     150 flags: bit 0 replied, bit 1 second flag, bit 5 partial   151 zero (12)
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "quillet/common/datetime.h"
#include "quillet/store/mailbox/detail/idx_format.h"

struct TMailHead {
  std::int32_t Id = -1;             // item id in its mailbox; -1 before it is stored
  std::uint8_t State = 0;           // 0 ordinary, 1 sent, 2 queued to send, 3 saved while being written
  std::uint8_t Unread = 0;          // 1 unread, 0 read
  std::uint8_t HasAttachment = 0;   // nonzero: has attachments
  TDateTime Date = 0;
  std::uint8_t Priority = 3;        // 1 highest .. 5 lowest, 3 normal
  std::uint32_t Size = 0;           // message size in bytes
  std::uint16_t Label = 0;          // 0 none, 1..7 label number
  bool Replied = false;
  bool Flag2 = false;               // kept as read; no operation changes it
  bool Partial = false;             // one part of a message/partial split
  std::string Correspondent;        // sender (received) or recipient (outgoing) display name
  std::string Subject;
};

// The correspondent and subject share a 128-byte area. When their lengths add up to more
// than 125, the correspondent is cut to 63 characters and the subject to 126 minus the cut
// correspondent's length; a cut never splits a double-byte character.
void EncodeSummary(const TMailHead& head, TIdxSummary& summary);
// The head of a record: Id from the record (not the summary's copy), Size from DataSize
// when the stored size is 0.
void DecodeHead(const TIdxRecord& record, TMailHead& head);
// A record carrying the head's id and summary, for appending or rewriting.
TIdxRecord RecordOfHead(const TMailHead& head);

class THeadList {
 public:
  using TItems = std::vector<std::unique_ptr<TMailHead>>;

  TMailHead& Add(std::unique_ptr<TMailHead> head);
  TMailHead& Add(const TMailHead& head) { return Add(std::make_unique<TMailHead>(head)); }
  int Count() const { return static_cast<int>(items_.size()); }
  TMailHead& operator[](int index) { return *items_[static_cast<size_t>(index)]; }
  const TMailHead& operator[](int index) const { return *items_[static_cast<size_t>(index)]; }
  void Clear() { items_.clear(); }
  void Reserve(int count) { items_.reserve(static_cast<size_t>(count)); }

  TItems& Items() { return items_; }
  const TItems& Items() const { return items_; }

 private:
  TItems items_;
};
