#include "quillet/store/mailbox/detail/index_table.h"

#include <limits>

#include "quillet/store/mailbox/detail/byte_order.h"

TIndexTable::TIndexTable(TFileGuard& index) : file_(index) {
  std::int64_t records = std::max<std::int64_t>(0, index.Size() - k_idxHeaderSize);
  count_ = records / k_idxRecordSize;
  partialBytes_ = static_cast<std::int32_t>(records % k_idxRecordSize);
}

void TIndexTable::Read(std::int64_t index, TIdxRecord& record) {
  std::uint8_t bytes[k_idxRecordSize];
  file_.ReadExactAt(PositionOf(index), bytes, k_idxRecordSize);
  DecodeRecord(bytes, record);
}

std::int32_t TIndexTable::ReadId(std::int64_t index) {
  std::uint8_t bytes[4];
  file_.ReadExactAt(PositionOf(index) + idx_record_offset::k_id, bytes, 4);
  return store_bytes::GetInt32(bytes);
}

void TIndexTable::Write(std::int64_t index, const TIdxRecord& record) {
  std::uint8_t bytes[k_idxRecordSize];
  EncodeRecord(record, bytes);
  file_.WriteAt(PositionOf(index), bytes, k_idxRecordSize);
}

void TIndexTable::WriteChanges(std::int64_t index, const TIdxRecord& before, const TIdxRecord& after) {
  std::uint8_t old[k_idxRecordSize], changed[k_idxRecordSize];
  EncodeRecord(before, old);
  EncodeRecord(after, changed);
  std::int32_t first = 0, last = k_idxRecordSize;
  while (first < last && old[first] == changed[first]) ++first;
  while (last > first && old[last - 1] == changed[last - 1]) --last;
  if (first < last) file_.WriteAt(PositionOf(index) + first, changed + first, last - first);
}

void TIndexTable::WriteDeletedFlag(std::int64_t index, std::uint8_t deleted) {
  file_.WriteAt(PositionOf(index) + idx_record_offset::k_deleted, &deleted, 1);
}

void TIndexTable::MarkAllDeleted() {
  std::vector<std::uint8_t> block;
  for (std::int64_t first = 0; first < count_; first += k_scanBlockRecords) {
    std::int64_t n = std::min(k_scanBlockRecords, count_ - first);
    ReadBlock(first, n, block);
    bool changed = false;
    for (std::int64_t i = 0; i < n; ++i) {
      std::uint8_t& deleted = block[static_cast<size_t>(i * k_idxRecordSize + idx_record_offset::k_deleted)];
      if (deleted == 0) {
        deleted = 1;
        changed = true;
      }
    }
    if (changed) file_.WriteAt(PositionOf(first), block.data(), static_cast<std::int32_t>(block.size()));
  }
  if (partialBytes_ > idx_record_offset::k_deleted) WriteDeletedFlag(count_, 1);
}

std::int64_t TIndexTable::Append(const TIdxRecord& record) {
  Write(count_, record);
  partialBytes_ = 0;
  return count_++;
}

bool TIndexTable::ReadPartialTail(TIdxRecord& record) {
  if (partialBytes_ < idx_record_offset::k_summary) return false;
  std::uint8_t bytes[k_idxRecordSize] = {};
  file_.ReadExactAt(PositionOf(count_), bytes, partialBytes_);
  DecodeRecord(bytes, record);
  return true;
}

void TIndexTable::CompletePartialTail() {
  if (partialBytes_ == 0) return;
  std::uint8_t zeros[k_idxRecordSize] = {};
  file_.WriteAt(PositionOf(count_) + partialBytes_, zeros, k_idxRecordSize - partialBytes_);
  partialBytes_ = 0;
  ++count_;
}

std::int64_t TIndexTable::Find(std::int32_t id) {
  std::int64_t found = -1;
  if (BinaryFind(id, found)) return found;
  return FindByScan(id);
}

// Lower bound of the id under the assumption that ids strictly increase. Every id read
// must lie strictly between its probed neighbours and leave room for the records between
// them (strictly increasing integers differ at least by their distance).
bool TIndexTable::BinaryFind(std::int32_t id, std::int64_t& found) {
  std::int64_t lo = 0, hi = count_;
  std::int64_t loId = std::numeric_limits<std::int64_t>::min() / 2;  // id at lo - 1 once probed
  std::int64_t hiId = std::numeric_limits<std::int64_t>::max() / 2;  // id at hi once probed
  bool hiProbed = false;
  while (lo < hi) {
    std::int64_t mid = lo + (hi - lo) / 2;
    std::int64_t midId = ReadId(mid);
    if (midId - loId < mid - lo + 1 || hiId - midId < hi - mid) return false;  // out of order
    if (midId < id) {
      lo = mid + 1;
      loId = midId;
    } else {
      hi = mid;
      hiId = midId;
      hiProbed = true;
    }
  }
  if (!hiProbed || hiId != id || lo >= count_) return false;
  found = lo;
  return true;
}

std::int64_t TIndexTable::FindRecord(std::int32_t id, TIdxRecord& record) {
  std::int64_t position = Find(id);
  if (position >= 0) Read(position, record);
  return position;
}

std::int64_t TIndexTable::FindByScan(std::int32_t id) {
  std::int64_t found = -1;
  Scan(0, [&](std::int64_t index, const std::uint8_t* raw) {
    if (store_bytes::GetInt32(raw + idx_record_offset::k_id) != id) return true;
    found = index;
    return false;
  });
  return found;
}

void TIndexTable::ReadBlock(std::int64_t first, std::int64_t count, std::vector<std::uint8_t>& block) {
  std::int32_t bytes = static_cast<std::int32_t>(count * k_idxRecordSize);
  block.resize(static_cast<size_t>(bytes));
  file_.ReadExactAt(PositionOf(first), block.data(), bytes);
}
