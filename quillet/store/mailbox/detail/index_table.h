// Record-level access to an open index file (store-internal): records are fixed size, so
// record i lives at 64 + 176 * i. Only complete records count; a shorter tail (a record
// whose write was cut off) is reported separately.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "quillet/store/mailbox/detail/file_guard.h"
#include "quillet/store/mailbox/detail/idx_format.h"

class TIndexTable {
 public:
  // Reads the file's size once; the table then tracks the records it appends.
  explicit TIndexTable(TFileGuard& index);

  static std::int64_t PositionOf(std::int64_t index) { return k_idxHeaderSize + index * k_idxRecordSize; }
  std::int64_t Count() const { return count_; }

  void Read(std::int64_t index, TIdxRecord& record);
  std::int32_t ReadId(std::int64_t index);
  void Write(std::int64_t index, const TIdxRecord& record);
  // Rewrites the record stored as `before` by `after`, writing only the span of bytes that
  // differ (none when they are equal), so small edits are single small writes.
  void WriteChanges(std::int64_t index, const TIdxRecord& before, const TIdxRecord& after);
  void WriteDeletedFlag(std::int64_t index, std::uint8_t deleted);
  // Flags every live record deleted, block by block, and a cut-off tail record too, so
  // that completing the tail later does not bring its item back.
  void MarkAllDeleted();
  // Writes the record after the last complete one (over a partial tail) and counts it.
  std::int64_t Append(const TIdxRecord& record);

  // The cut-off tail record, its missing bytes zero. False when the tail is too short to
  // hold the item's id and location.
  bool ReadPartialTail(TIdxRecord& record);
  // Zero-fills the missing bytes of the tail record so that it becomes a complete record.
  void CompletePartialTail();

  // The first record with the id in file order, or -1. Ids grow in file order in every
  // pair this system writes, so the table binary-searches and checks each record it reads
  // against that order; on a contradiction or a miss it scans in file order. The result is
  // the scan's whenever the pair's ids are unique.
  std::int64_t Find(std::int32_t id);
  std::int64_t FindByScan(std::int32_t id);
  // Find, and the record found read into record (left alone when there is none).
  std::int64_t FindRecord(std::int32_t id, TIdxRecord& record);

  // Calls visit(index, raw176) for the records from `from` on, reading the file in large
  // blocks, until visit returns false.
  template <class Visit>
  void Scan(std::int64_t from, Visit visit, std::int64_t blockRecords = k_scanBlockRecords);
  // The same backwards, from `from` down to record 0.
  template <class Visit>
  void ScanBack(std::int64_t from, Visit visit, std::int64_t blockRecords = k_neighbourBlockRecords);

  // 64 KB per read: few system calls, and a buffer small enough for the heap to reuse.
  static constexpr std::int64_t k_scanBlockRecords = 372;
  static constexpr std::int64_t k_neighbourBlockRecords = 32;

 private:
  bool BinaryFind(std::int32_t id, std::int64_t& found);
  void ReadBlock(std::int64_t first, std::int64_t count, std::vector<std::uint8_t>& block);

  TFileGuard& file_;
  std::int64_t count_ = 0;
  std::int32_t partialBytes_ = 0;
};

template <class Visit>
void TIndexTable::Scan(std::int64_t from, Visit visit, std::int64_t blockRecords) {
  std::vector<std::uint8_t> block;
  for (std::int64_t first = std::max<std::int64_t>(from, 0); first < count_; first += blockRecords) {
    std::int64_t n = std::min(blockRecords, count_ - first);
    ReadBlock(first, n, block);
    for (std::int64_t i = 0; i < n; ++i)
      if (!visit(first + i, block.data() + i * k_idxRecordSize)) return;
  }
}

template <class Visit>
void TIndexTable::ScanBack(std::int64_t from, Visit visit, std::int64_t blockRecords) {
  std::vector<std::uint8_t> block;
  for (std::int64_t last = std::min(from, count_ - 1); last >= 0; last -= blockRecords) {
    std::int64_t first = std::max<std::int64_t>(0, last - blockRecords + 1);
    std::int64_t n = last - first + 1;
    ReadBlock(first, n, block);
    for (std::int64_t i = n - 1; i >= 0; --i)
      if (!visit(first + i, block.data() + i * k_idxRecordSize)) return;
  }
}
