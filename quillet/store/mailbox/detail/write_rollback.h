// Undo for one writer of a pair (store-internal). A writer that fails part of the way (a
// full disk, a refused write) leaves no trace: the index goes back to its old length
// and header, a rewritten record to its old bytes, and the data file to its old end.
// The undo runs when the rollback is destroyed without Commit(), that is while the
// failure's exception unwinds; it is best effort (a disk that refuses everything leaves
// what a crash would leave, which the readers and Pack tolerate) and never throws.
#pragma once

#include <cstdint>
#include <vector>

#include "quillet/store/mailbox/detail/file_guard.h"
#include "quillet/store/mailbox/detail/idx_format.h"

class TWriteRollback {
 public:
  // Remembers the index's length and its header bytes.
  explicit TWriteRollback(TFileGuard& index);
  ~TWriteRollback();
  TWriteRollback(const TWriteRollback&) = delete;
  TWriteRollback& operator=(const TWriteRollback&) = delete;

  // Also cut the data file back to its present end (or to the given one).
  void KeepDataEnd(TFileGuard& data);
  void KeepDataEnd(TFileGuard& data, std::int64_t end);
  // Also put back the record at this index position, as it is now.
  void KeepRecord(std::int64_t position);
  // The write is complete: nothing is undone.
  void Commit() { committed_ = true; }

 private:
  void Undo();

  TFileGuard& index_;
  std::int64_t indexEnd_ = -1;
  std::uint8_t header_[k_idxHeaderSize] = {};
  TFileGuard* data_ = nullptr;
  std::int64_t dataEnd_ = -1;
  std::int64_t recordPosition_ = -1;
  std::uint8_t record_[k_idxRecordSize] = {};
  bool committed_ = false;
};
