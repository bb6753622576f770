#include "quillet/store/mailbox/detail/idx_format.h"

#include <algorithm>

#include "quillet/store/mailbox/detail/byte_order.h"

using namespace store_bytes;

const std::array<std::uint8_t, k_separatorSize> k_itemSeparator = {
    {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 'S', '\r', '\n'}};

namespace {
constexpr double k_diskDateBias = 693594.0;
constexpr double k_oldFormLimit = 36500.0;
constexpr double k_oldFormShift = 366.0;

// Header field offsets.
constexpr int k_hSignature = 0;
constexpr int k_hVersion = 4;
constexpr int k_hLastId = 5;
constexpr int k_hCreated = 9;
constexpr int k_hEncrypted = 17;
constexpr int k_hTitle = 18;
constexpr int k_hWasted = 35;
constexpr int k_hTotal = 39;
constexpr int k_hUnread = 43;
constexpr int k_hItems = 47;
constexpr int k_hReserved = 51;
}  // namespace

std::string TIdxHeader::TitleText() const {
  auto end = std::find(Title.begin(), Title.end(), 0);
  return std::string(Title.begin(), end);
}

double DateToDisk(TDateTime date) { return date + k_diskDateBias; }

TDateTime DateFromDisk(double stored) {
  return stored >= k_oldFormLimit ? stored - k_diskDateBias : stored + k_oldFormShift;
}

void EncodeHeader(const TIdxHeader& h, std::uint8_t* b) {
  std::copy(h.Signature.begin(), h.Signature.end(), b + k_hSignature);
  b[k_hVersion] = h.Version;
  PutInt32(b + k_hLastId, h.LastId);
  PutDouble(b + k_hCreated, DateToDisk(h.Created));
  b[k_hEncrypted] = h.Encrypted;
  std::copy(h.Title.begin(), h.Title.end(), b + k_hTitle);
  PutInt32(b + k_hWasted, h.WastedBytes);
  PutInt32(b + k_hTotal, h.TotalBytes);
  PutInt32(b + k_hUnread, h.UnreadCount);
  PutInt32(b + k_hItems, h.ItemCount);
  std::copy(h.Reserved.begin(), h.Reserved.end(), b + k_hReserved);
}

void DecodeHeader(const std::uint8_t* b, TIdxHeader& h) {
  std::copy(b + k_hSignature, b + k_hSignature + 4, h.Signature.begin());
  h.Version = b[k_hVersion];
  h.LastId = GetInt32(b + k_hLastId);
  h.Created = DateFromDisk(GetDouble(b + k_hCreated));
  h.Encrypted = b[k_hEncrypted];
  std::copy(b + k_hTitle, b + k_hTitle + k_idxTitleSize, h.Title.begin());
  h.WastedBytes = GetInt32(b + k_hWasted);
  h.TotalBytes = GetInt32(b + k_hTotal);
  h.UnreadCount = GetInt32(b + k_hUnread);
  h.ItemCount = GetInt32(b + k_hItems);
  std::copy(b + k_hReserved, b + k_idxHeaderSize, h.Reserved.begin());
}

void EncodeRecord(const TIdxRecord& r, std::uint8_t* b) {
  using namespace idx_record_offset;
  PutInt32(b + k_id, r.Id);
  b[k_deleted] = r.Deleted;
  PutInt32(b + k_dataOffset, r.DataOffset);
  PutInt32(b + k_dataSize, r.DataSize);
  std::copy(r.Summary.begin(), r.Summary.end(), b + k_summary);
}

void DecodeRecord(const std::uint8_t* b, TIdxRecord& r) {
  using namespace idx_record_offset;
  r.Id = GetInt32(b + k_id);
  r.Deleted = b[k_deleted];
  r.DataOffset = GetInt32(b + k_dataOffset);
  r.DataSize = GetInt32(b + k_dataSize);
  std::copy(b + k_summary, b + k_idxRecordSize, r.Summary.begin());
}
