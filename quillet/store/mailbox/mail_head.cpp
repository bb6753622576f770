#include "quillet/store/mailbox/mail_head.h"

#include <algorithm>
#include <cstring>

#include "quillet/store/mailbox/detail/byte_order.h"
#include "quillet/common/gbk.h"

using namespace store_bytes;

namespace {
// Summary field offsets.
constexpr int k_sIdCopy = 0;
constexpr int k_sState = 4;
constexpr int k_sStatus = 5;
constexpr int k_sAttachment = 6;
constexpr int k_sDate = 7;
constexpr int k_sPriority = 15;
constexpr int k_sSize = 16;
constexpr int k_sNames = 20;
constexpr int k_sNamesSize = 128;
constexpr int k_sLabel = 148;
constexpr int k_sFlags = 150;

constexpr std::uint8_t k_flagReplied = 0x01;
constexpr std::uint8_t k_flagSecond = 0x02;
constexpr std::uint8_t k_flagPartial = 0x20;

constexpr std::size_t k_namesRoom = 125;         // both strings without cutting
constexpr std::size_t k_cutCorrespondent = 63;
constexpr std::size_t k_cutTotal = 126;

// The zero-terminated string at p, within the end of the area.
std::string TakeString(const std::uint8_t*& p, const std::uint8_t* end) {
  const std::uint8_t* zero = std::find(p, end, 0);
  std::string text(p, zero);
  p = zero == end ? end : zero + 1;
  return text;
}
}  // namespace

void EncodeSummary(const TMailHead& head, TIdxSummary& s) {
  s.fill(0);
  PutInt32(&s[k_sIdCopy], head.Id);
  s[k_sState] = head.State;
  s[k_sStatus] = head.Unread;
  s[k_sAttachment] = head.HasAttachment;
  PutDouble(&s[k_sDate], DateToDisk(head.Date));
  s[k_sPriority] = head.Priority;
  PutUInt32(&s[k_sSize], head.Size);

  // Text after an embedded zero could not be read back; it ends the string here too.
  std::string correspondent(head.Correspondent.c_str());
  std::string subject(head.Subject.c_str());
  if (correspondent.size() + subject.size() > k_namesRoom) {
    correspondent = gbk::Cut(correspondent, k_cutCorrespondent);
    subject = gbk::Cut(subject, k_cutTotal - correspondent.size());
  }
  std::uint8_t* names = &s[k_sNames];
  std::memcpy(names, correspondent.data(), correspondent.size());
  std::memcpy(names + correspondent.size() + 1, subject.data(), subject.size());  // after the zero

  PutUInt16(&s[k_sLabel], head.Label);
  s[k_sFlags] = static_cast<std::uint8_t>((head.Replied ? k_flagReplied : 0) | (head.Flag2 ? k_flagSecond : 0) |
                                          (head.Partial ? k_flagPartial : 0));
}

void DecodeHead(const TIdxRecord& record, TMailHead& head) {
  const TIdxSummary& s = record.Summary;
  head.Id = record.Id;
  head.State = s[k_sState];
  head.Unread = s[k_sStatus];
  head.HasAttachment = s[k_sAttachment];
  head.Date = DateFromDisk(GetDouble(&s[k_sDate]));
  head.Priority = s[k_sPriority];
  head.Size = GetUInt32(&s[k_sSize]);
  if (head.Size == 0) head.Size = static_cast<std::uint32_t>(std::max<std::int32_t>(record.DataSize, 0));
  const std::uint8_t* p = &s[k_sNames];
  const std::uint8_t* end = p + k_sNamesSize;
  head.Correspondent = TakeString(p, end);
  head.Subject = TakeString(p, end);
  head.Label = GetUInt16(&s[k_sLabel]);
  std::uint8_t flags = s[k_sFlags];
  head.Replied = (flags & k_flagReplied) != 0;
  head.Flag2 = (flags & k_flagSecond) != 0;
  head.Partial = (flags & k_flagPartial) != 0;
}

TIdxRecord RecordOfHead(const TMailHead& head) {
  TIdxRecord record;
  record.Id = head.Id;
  EncodeSummary(head, record.Summary);
  return record;
}

TMailHead& THeadList::Add(std::unique_ptr<TMailHead> head) {
  items_.push_back(std::move(head));
  return *items_.back();
}
