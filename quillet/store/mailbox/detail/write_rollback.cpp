#include "quillet/store/mailbox/detail/write_rollback.h"

#include <exception>

TWriteRollback::TWriteRollback(TFileGuard& index) : index_(index) {
  indexEnd_ = index.Size();
  index.ReadExactAt(0, header_, k_idxHeaderSize);
}

TWriteRollback::~TWriteRollback() {
  if (!committed_) Undo();
}

void TWriteRollback::KeepDataEnd(TFileGuard& data) { KeepDataEnd(data, data.Size()); }

void TWriteRollback::KeepDataEnd(TFileGuard& data, std::int64_t end) {
  data_ = &data;
  dataEnd_ = end;
}

void TWriteRollback::KeepRecord(std::int64_t position) {
  index_.ReadExactAt(position, record_, k_idxRecordSize);
  recordPosition_ = position;
}

// The index first, and the data file only when the index is back: no record may point
// at data that was cut off. The header's bytes go back whatever happens to the rest.
void TWriteRollback::Undo() {
  bool indexBack = false;
  try {
    if (recordPosition_ >= 0) index_.WriteAt(recordPosition_, record_, k_idxRecordSize);
    indexBack = index_.TruncateTo(indexEnd_);
  } catch (const std::exception&) {
  }
  try {
    index_.WriteAt(0, header_, k_idxHeaderSize);
  } catch (const std::exception&) {
  }
  if (indexBack && data_) data_->TruncateTo(dataEnd_);
}
