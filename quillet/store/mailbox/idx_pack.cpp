// TIdxFile::Pack: compaction into new files beside the pair (names and the recovery rule
// in detail/pack_files.h), so that the only copy of an item is never where nothing puts
// it back.
//
// 1. What an earlier compaction left is settled: finished, or removed.
// 2. The free space in the pair's folder must hold the estimated packed size.
// 3. Every live record's text goes behind a fresh separator into BASE.BO#, the record
//    with its new location into BASE.IN$; deleted records are dropped, ids stay. The
//    header's counters are worked out from the records copied. Both files are flushed to
//    disk, then BASE.IN$ is renamed BASE.IN#.
// 4. Commit: BASE.BO# replaces BASE.BOX, then BASE.IN# replaces BASE.IND.
// A failure before the commit removes the new files and leaves the pair as it was; one
// between the two renames leaves the index to be put in place when the pair is next
// opened, and the error names the files that hold the data.
#include <algorithm>
#include <vector>

#include "platform/file.h"
#include "quillet/store/mailbox/detail/file_guard.h"
#include "quillet/store/mailbox/detail/index_table.h"
#include "quillet/store/mailbox/detail/pack_files.h"
#include "quillet/store/mailbox/detail/read_window.h"
#include "quillet/store/mailbox/idx_file.h"
#include "quillet/store/mailbox/store_limits.h"

namespace {
constexpr std::int32_t k_copyChunk = 64 * 1024;
constexpr std::int32_t k_writeBuffer = 256 * 1024;

// Sequential writes to a new file through one buffer.
class TAppendBuffer {
 public:
  explicit TAppendBuffer(TFileGuard& file) : file_(file) { buffer_.reserve(k_writeBuffer); }

  void Append(const void* bytes, std::int32_t count) {
    if (static_cast<std::int64_t>(buffer_.size()) + count > k_writeBuffer) Flush();
    if (count >= k_writeBuffer) {
      file_.WriteAt(written_, bytes, count);
      written_ += count;
      return;
    }
    const char* p = static_cast<const char*>(bytes);
    buffer_.insert(buffer_.end(), p, p + count);
  }
  void Flush() {
    file_.WriteAt(written_, buffer_.data(), static_cast<std::int32_t>(buffer_.size()));
    written_ += static_cast<std::int64_t>(buffer_.size());
    buffer_.clear();
  }
  std::int64_t Size() const { return written_ + static_cast<std::int64_t>(buffer_.size()); }

 private:
  TFileGuard& file_;
  std::vector<char> buffer_;
  std::int64_t written_ = 0;
};

EIdxFileError PlacementError(const std::string& basePath, const std::string& first, const std::string& second) {
  return EIdxFileError(k_textCanNotPlacePacked + basePath + k_textPackedKeptAs + first + " and " + second);
}

class TPackJob {
 public:
  TPackJob(TIdxFile& pair, const TPackFileOps& ops) : pair_(pair), ops_(ops), files_(pair.BasePath()) {}

  bool Run(TUserPrompts& prompts) {
    if (!SettlePackFiles(files_, pair_.IndexPath()))
      throw PlacementError(pair_.BasePath(), pair_.DataPath(), files_.index);
    if (!EnoughDiskSpace()) {
      prompts.ShowMessage(k_textDiskFull);
      return false;
    }
    try {
      WriteNewFiles();
      if (!ops_.Rename(files_.indexBeingWritten, files_.index) || !ops_.Rename(files_.data, pair_.DataPath()))
        throw PlacementError(pair_.BasePath(), pair_.IndexPath(), pair_.DataPath());
    } catch (...) {
      RemoveUncommitted();
      throw;
    }
    if (!ops_.Rename(files_.index, pair_.IndexPath()))
      throw PlacementError(pair_.BasePath(), pair_.DataPath(), files_.index);
    return true;
  }

 private:
  bool EnoughDiskSpace() {
    const std::string& base = pair_.BasePath();
    if (base.empty() || base[0] == '@') return true;
    std::int64_t free = ops_.FreeSpace(files_.index);
    return free < 0 || free >= pair_.EstimatedPackedSize();  // unknown space does not stop us
  }

  // In the order that keeps a new index alone from ever meaning "data in place". Without
  // the new data file (a rename that reported failure but was made) the new index stays
  // to be put in place on the next opening.
  void RemoveUncommitted() {
    if (!platform::FileExists(files_.data)) {
      ops_.Delete(files_.indexBeingWritten);
      return;
    }
    for (const std::string& path : {files_.indexBeingWritten, files_.index, files_.data})
      if (platform::FileExists(path) && !ops_.Delete(path)) return;
  }

  void WriteNewFiles() {
    TFileGuard index = TFileGuard::Open(pair_.IndexPath(), platform::FileAccess::Read);
    TFileGuard data = TFileGuard::Open(pair_.DataPath(), platform::FileAccess::Read);
    dataSize_ = data.Size();
    std::uint8_t bytes[k_idxHeaderSize];
    index.ReadExactAt(0, bytes, k_idxHeaderSize);
    DecodeHeader(bytes, header_);
    if (header_.Encrypted == 1) throw EOperateOnEncrypted();
    TFileGuard newData = TFileGuard::Create(files_.data);
    TFileGuard newIndex = TFileGuard::Create(files_.indexBeingWritten);
    TAppendBuffer dataOut(newData), indexOut(newIndex);
    indexOut.Append(bytes, k_idxHeaderSize);  // rewritten with the new counters at the end
    CopyLiveItems(index, data, dataOut, indexOut);

    dataOut.Flush();
    ops_.Flush(newData);
    newData.CloseWritten();
    indexOut.Flush();
    header_.WastedBytes = 0;
    header_.TotalBytes = store_limits::ClampToInt32(dataOut.Size());
    header_.SetCountsPending(false);
    EncodeHeader(header_, bytes);
    newIndex.WriteAt(0, bytes, k_idxHeaderSize);
    ops_.Flush(newIndex);
    newIndex.CloseWritten();
  }

  void CopyLiveItems(TFileGuard& index, TFileGuard& data, TAppendBuffer& dataOut, TAppendBuffer& indexOut) {
    TIndexTable table(index);
    TReadWindow text(data);
    TIdxRecord record;
    table.Scan(0, [&](std::int64_t, const std::uint8_t* raw) {
      DecodeRecord(raw, record);
      header_.LastId = std::max(header_.LastId, record.Id);  // ids of dropped records stay used
      if (record.IsLive()) CopyItem(record, text, dataOut, indexOut);
      return true;
    });
    // A record cut off at the end of the index keeps its item when the item's text is whole.
    if (table.ReadPartialTail(record) && record.IsLive() && record.DataOffset >= k_separatorSize &&
        store_limits::TextWithin(record, dataSize_)) {
      header_.LastId = std::max(header_.LastId, record.Id);
      CopyItem(record, text, dataOut, indexOut);
    }
    if (pair_.KeepsCounters()) {
      header_.UnreadCount = unread_;
      header_.ItemCount = items_;
    }
  }

  // Copies what the data file holds of the item (a damaged item keeps its readable part)
  // behind a new separator and writes its record with the new location.
  void CopyItem(TIdxRecord& record, TReadWindow& text, TAppendBuffer& dataOut, TAppendBuffer& indexOut) {
    std::int64_t readable = store_limits::ReadableSize(record, dataSize_);
    std::int64_t textStart = dataOut.Size() + k_separatorSize;
    if (textStart + readable > store_limits::k_maxDataPosition)
      throw EFileException(EFileException::Kind::Write, files_.data);
    dataOut.Append(k_itemSeparator.data(), k_separatorSize);
    std::int64_t copied = 0;
    while (copied < readable) {
      std::int32_t want = static_cast<std::int32_t>(std::min<std::int64_t>(k_copyChunk, readable - copied));
      std::int32_t n = text.Read(record.DataOffset + copied, chunk_.data(), want);
      if (n <= 0) break;
      dataOut.Append(chunk_.data(), n);
      copied += n;
    }
    record.DataOffset = static_cast<std::int32_t>(textStart);
    record.DataSize = static_cast<std::int32_t>(copied);
    std::uint8_t bytes[k_idxRecordSize];
    EncodeRecord(record, bytes);
    indexOut.Append(bytes, k_idxRecordSize);
    bool unread = false;
    if (pair_.IsUnreadRecord(record, unread) && unread) ++unread_;
    ++items_;
  }

  TIdxFile& pair_;
  const TPackFileOps& ops_;
  TPackFiles files_;
  TIdxHeader header_;
  std::int64_t dataSize_ = 0;
  std::int32_t unread_ = 0, items_ = 0;
  std::vector<char> chunk_ = std::vector<char>(k_copyChunk);
};
}  // namespace

TPackFileOps TPackFileOps::Platform() {
  TPackFileOps ops;
  ops.FreeSpace = platform::FreeDiskSpace;
  ops.Flush = [](TFileGuard& file) { file.Flush(); };
  ops.Rename = platform::FileRename;
  ops.Delete = platform::FileDelete;
  return ops;
}

bool TIdxFile::Pack(TUserPrompts& prompts) {
  ReadHeader();
  if (header_.Encrypted == 1) throw EOperateOnEncrypted();
  TPackJob job(*this, packOps_);
  if (!job.Run(prompts)) return false;
  ReadHeader();
  return true;
}
